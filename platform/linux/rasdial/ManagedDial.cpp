#include "platform/linux/rasdial/ManagedDial.h"

#include <string.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "platform/linux/networkmanager/NetworkManagerClient.h"
#include "platform/linux/process/DialerPassword.h"
#include "platform/linux/process/SystemErrorText.h"
#include "platform/linux/rasdial/DialerActions.h"
#include "platform/linux/rasdial/DialerMessage.h"
#include "platform/linux/rasdial/PasswordInput.h"

namespace velnix::linux_platform {

namespace {

// NetworkManager's refusals for lack of right: its own and the bus's.
bool IsRefusal(const ManagerError& error) {
    return error.name.ends_with(".PermissionDenied") || error.name.ends_with(".AccessDenied");
}

int FailManaged(const std::string& action, const std::string& entry, const ManagerError& error) {
    return Fail(
        IsRefusal(error) ? kDialerNoRight : kDialerSystemError,
        "NetworkManager n'a pas pu " + action + " " + Quoted(entry) + " : " + error.message);
}

// The active connection of `connection`, whatever its state.
std::optional<ActiveManagedConnection> ActiveOf(const NetworkManagerClient& client,
                                                const ManagedConnection& connection) {
    for (ActiveManagedConnection& active : client.ActiveConnections()) {
        if (active.connectionPath == connection.path) return std::move(active);
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> DialManaged(const std::string& entry, const std::string& login,
                               std::string& password) {
    NetworkManagerClient client;
    const std::optional<ManagedConnection> connection = client.Find(entry);
    if (!connection) return std::nullopt;
    if (password == kPasswordFromInput && !ReadPassword(STDIN_FILENO, password)) {
        return Fail(kDialerSystemError,
                    "impossible de lire le mot de passe : " + SystemErrorText(errno));
    }
    if (ActiveOf(client, *connection)) {
        ::explicit_bzero(password.data(), password.size());
        std::cout << "Connexion " << Quoted(connection->id) << " déjà établie ou en cours."
                  << std::endl;
        return kDialerDone;
    }
    const std::optional<ManagerError> error = client.Activate(*connection, login, password);
    ::explicit_bzero(password.data(), password.size());
    if (error) return FailManaged("établir", connection->id, *error);
    return kDialerDone;
}

std::optional<int> HangUpManaged(const std::string& entry) {
    NetworkManagerClient client;
    const std::optional<ManagedConnection> connection = client.Find(entry);
    if (!connection) return std::nullopt;
    const std::optional<ActiveManagedConnection> active = ActiveOf(client, *connection);
    if (!active) return std::nullopt;
    if (const std::optional<ManagerError> error = client.Deactivate(active->path)) {
        return FailManaged("raccrocher", connection->id, *error);
    }
    return kDialerDone;
}

}  // namespace velnix::linux_platform
