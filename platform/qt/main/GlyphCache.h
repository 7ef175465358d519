#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>
#include <optional>
#include <unordered_map>

namespace velnix::qt_platform {

// The labels' lines are never wrapped: as wide as any text can be.
inline constexpr qreal kUnboundedLine = 0x01000000;

// The glyphs of a one-line text that needs no shaping beyond kerning, laid from each character's
// glyph and advance and each pair's kerning, each shaped once: a figure that changes every second
// then costs no shaping. A text qualifies when its characters are printable ASCII, each shaping
// alone into one glyph of the font's own face, every two neighbours shape as their two glyphs
// with at most a kerning between them, and every kerned pair is kerned after the character before
// it too (a pair that matches in the font's kerning can keep the next one from being kerned); the
// caller shapes any other text itself. A new font learns at once every pair of the characters of
// figures (digits, blank, comma, colon), so that figures take this way from their first changes.
// Labels of one font share one cache.
class GlyphCache {
  public:
    struct Line {
        QGlyphRun glyphs;  // from the baseline's left end, blanks left out
        qreal width = 0;   // the text's natural width
        qreal ascent = 0;
        qreal descent = 0;
    };

    std::optional<Line> Lay(const QFont& font, const QString& text);

  private:
    struct Glyph {
        quint32 index;
        qreal advance;
        qreal overhang;  // how far its ink reaches past its advance, last in a line
        bool blank;      // without ink: left out of the glyph runs, where it would paint nothing
    };

    const std::optional<Glyph>& Alone(char16_t character);
    const std::optional<qreal>& Kerning(char16_t first, char16_t second);
    bool KernedAfter(char16_t before, char16_t first, char16_t second);
    std::optional<QList<qreal>> Kernings(const QString& sample);

    QFont font_;
    QRawFont face_;  // the face of the first character shaped alone
    qreal ascent_ = 0;
    qreal descent_ = 0;
    std::unordered_map<char16_t, std::optional<Glyph>> glyphs_;
    std::unordered_map<quint32, std::optional<qreal>> kernings_;  // of two characters
    std::unordered_map<quint64, bool> kernedAfter_;               // of three characters
};

}  // namespace velnix::qt_platform
