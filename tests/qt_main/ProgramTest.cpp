// The real velnix program, started offscreen against the simulated provider. The program writes
// what its window shows to VELNIX_STATE_FILE after every tick; the tests read that file.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString kBinDir = VELNIX_BIN_DIR;
const QString kSimulate = VELNIX_SIMULATE_SCRIPT;

// One user's session: configuration, runtime folder and a simulated phone book of their own.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        root = home.filePath("root");
        QDir().mkpath(home.filePath("config/Velnix"));
        QDir().mkpath(home.filePath("run"));
        QFile::setPermissions(home.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile ini(home.filePath("config/Velnix/Quorath_Software.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Tenaline]\nConnectionName=Fournisseur ADSL\nLogin=demo\nPassWord=demo\n");
        ini.close();
        ASSERT_EQ(Simulate({"setup", "--pppd", kBinDir + "/pppd-simulated", root}), 0);
    }
    void TearDown() override {
        for (QProcess* program : programs) {
            program->kill();
            program->waitForFinished(5000);
            delete program;
        }
        Simulate({"clean"});
    }

    QProcessEnvironment Environment(const QString& stateFile) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_RUNTIME_DIR", home.filePath("run"));
        environment.insert("VELNIX_ROOT", root);
        environment.insert("PATH", root + "/bin:" + environment.value("PATH"));
        environment.insert("VELNIX_SIM_UP_DELAY_MS", "2500");
        environment.insert("VELNIX_STATE_FILE", stateFile);
        return environment;
    }

    int Simulate(const QStringList& arguments) {
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELNIX_ROOT", root);
        script.setProcessEnvironment(environment);
        script.start("sh", QStringList{kSimulate} + arguments);
        script.waitForFinished(20000);
        return script.exitCode();
    }

    QProcess* StartProgram(const QProcessEnvironment& environment) {
        auto* program = new QProcess;
        programs.push_back(program);
        program->setProcessEnvironment(environment);
        program->start(kBinDir + "/velnix", {});
        program->waitForStarted(5000);
        return program;
    }

    // Waits until the state file holds every line given; returns its last text.
    static QString WaitForState(const QString& path, const QStringList& lines, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        QString text;
        while (clock.elapsed() < timeoutMs) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) text = QString::fromUtf8(file.readAll());
            bool all = true;
            for (const QString& line : lines) all = all && text.contains(line + "\n");
            if (all) return text;
            QThread::msleep(50);
        }
        ADD_FAILURE() << "state not reached: " << lines.join(", ").toStdString() << "\nlast:\n"
                      << text.toStdString();
        return text;
    }

    static QString Value(const QString& state, const QString& name) {
        for (const QString& line : state.split('\n')) {
            if (line.startsWith(name + "=")) return line.mid(name.size() + 1);
        }
        return {};
    }

    QTemporaryDir home;
    QString root;
    std::vector<QProcess*> programs;
};

TEST_F(ProgramTest, DialsShowsTheLinkItsFiguresAndItsDrop) {
    const QString state = home.filePath("state");
    StartProgram(Environment(state));

    // Automatic redial dials the configured entry; the link comes up.
    const QString up = WaitForState(
        state,
        {"Label5=Connexion établie depuis :", "CmdCon=Se déconnecter", "lblTemps.visible=1",
         "TaskBarIcon.TipText=Velnix  : Connecté.", "lblNom=Fournisseur ADSL"},
        20000);
    const QString later = WaitForState(state, {"CmdConnect=Se déconnecter"}, 5000);
    QThread::msleep(2200);
    const QString moved = WaitForState(state, {"CmdCon=Se déconnecter"}, 5000);
    EXPECT_NE(Value(moved, "lblOctetsRecus"), Value(up, "lblOctetsRecus"));
    EXPECT_NE(Value(moved, "lblTemps"), Value(up, "lblTemps"));
    EXPECT_TRUE(Value(moved, "lblVitesseD").endsWith(" Ko/s"))
        << Value(moved, "lblVitesseD").toStdString();

    // The provider drops the link: the window shows it, and the program dials again.
    ASSERT_EQ(Simulate({"drop"}), 0);
    WaitForState(state,
                 {"Label5=Non connecté", "CmdCon=Se connecter", "lblTemps.visible=0",
                  "TaskBarIcon.TipText=Velnix  : Déconnecté.", "Image2.toolTip=Non connecté"},
                 10000);
    WaitForState(state, {"Label5=Connexion établie depuis :"}, 20000);
}

TEST_F(ProgramTest, SecondCopyEndsSilentlyAndACrashedCopyDoesNotBlock) {
    const QString first = home.filePath("first");
    QProcess* running = StartProgram(Environment(first));
    WaitForState(first, {"visible=1"}, 10000);

    const QString second = home.filePath("second");
    QProcess* copy = StartProgram(Environment(second));
    ASSERT_TRUE(copy->waitForFinished(10000));
    EXPECT_EQ(copy->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(second));  // it never ticked, so it never showed anything

    running->kill();  // a crash leaves its lock behind
    running->waitForFinished(5000);
    const QString third = home.filePath("third");
    StartProgram(Environment(third));
    WaitForState(third, {"visible=1"}, 10000);
}

TEST_F(ProgramTest, WithoutAGraphicalSessionItSaysSoInOneLine) {
    QProcessEnvironment environment = Environment(home.filePath("state"));
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("DISPLAY");
    QProcess* program = StartProgram(environment);
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitCode(), 1);
    const QString message = QString::fromUtf8(program->readAllStandardError());
    EXPECT_EQ(message.count('\n'), 1) << message.toStdString();
    EXPECT_TRUE(message.contains("xvfb-run")) << message.toStdString();

    environment.insert("DISPLAY", ":97531");  // a display that does not answer
    program = StartProgram(environment);
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitCode(), 1);
    const QString unreachable = QString::fromUtf8(program->readAllStandardError());
    EXPECT_EQ(unreachable.count('\n'), 1) << unreachable.toStdString();
    EXPECT_TRUE(unreachable.contains(":97531")) << unreachable.toStdString();
}

}  // namespace
