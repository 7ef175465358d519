#include "platform/qt/main/GlyphCache.h"

#include <algorithm>
#include <string_view>

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QTextLayout>
#include <QTextOption>

namespace velnix::qt_platform {

namespace {

// The glyph runs of `text` shaped in one unbounded left-to-right line (positioned on its
// baseline), with the line's measures.
struct Shaped {
    QList<QGlyphRun> runs;
    qreal advance;  // trailing blanks included
    qreal width;    // the natural width, with the last glyph's overhang past its advance
    qreal ascent;
    qreal descent;
};

Shaped ShapeLine(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(kUnboundedLine);
    layout.endLayout();
    return {layout.glyphRuns(), line.horizontalAdvance(), line.naturalTextWidth(), line.ascent(),
            line.descent()};
}

}  // namespace

std::optional<GlyphCache::Line> GlyphCache::Lay(const QFont& font, const QString& text) {
    if (!(font == font_)) {
        font_ = font;
        face_ = QRawFont();
        glyphs_.clear();
        kernings_.clear();
        kernedAfter_.clear();
        constexpr std::u16string_view kFigures = u"0123456789 ,:";
        for (const char16_t first : kFigures) {
            for (const char16_t second : kFigures) {
                if (Alone(first) && Alone(second)) Kerning(first, second);
            }
        }
    }
    if (text.isEmpty() || text.back() == u' ')
        return std::nullopt;  // trailing blanks have no width
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t character = text[i].unicode();
        const std::optional<Glyph>& glyph = Alone(character);
        if (!glyph) return std::nullopt;
        if (i > 0) {
            const char16_t previous = text[i - 1].unicode();
            const std::optional<qreal>& kerning = Kerning(previous, character);
            if (!kerning) return std::nullopt;
            if (*kerning != 0 && i > 1 &&
                !KernedAfter(text[i - 2].unicode(), previous, character)) {
                return std::nullopt;
            }
            x += *kerning;
        }
        if (!glyph->blank) {
            indexes.append(glyph->index);
            positions.append(QPointF(x, 0));
        }
        x += glyph->advance;
    }
    Line line;
    line.glyphs.setRawFont(face_);
    line.glyphs.setGlyphIndexes(indexes);
    line.glyphs.setPositions(positions);
    line.width = x + Alone(text.back().unicode())->overhang;
    line.ascent = ascent_;
    line.descent = descent_;
    return line;
}

const std::optional<GlyphCache::Glyph>& GlyphCache::Alone(char16_t character) {
    const auto known = glyphs_.find(character);
    if (known != glyphs_.end()) return known->second;
    std::optional<Glyph>& glyph = glyphs_[character];
    if (character < u' ' || character > u'~') return glyph;
    const Shaped shaped = ShapeLine(font_, QString(QChar(character)));
    if (shaped.runs.size() != 1 || shaped.runs[0].glyphIndexes().size() != 1) return glyph;
    const QGlyphRun& run = shaped.runs[0];
    if (!face_.isValid()) {
        face_ = run.rawFont();
        ascent_ = shaped.ascent;
        descent_ = shaped.descent;
    }
    if (run.rawFont() != face_ || shaped.ascent != ascent_ || shaped.descent != descent_ ||
        run.positions()[0] != QPointF(0, ascent_)) {
        return glyph;
    }
    const quint32 index = run.glyphIndexes()[0];
    const bool blank = face_.pathForGlyph(index).isEmpty() &&
                       face_.alphaMapForGlyph(index, QRawFont::PixelAntialiasing).isNull();
    glyph = Glyph{index, shaped.advance, std::max<qreal>(0, shaped.width - shaped.advance), blank};
    return glyph;
}

// Both characters are known alone.
const std::optional<qreal>& GlyphCache::Kerning(char16_t first, char16_t second) {
    const quint32 key = (quint32(first) << 16) | second;
    const auto known = kernings_.find(key);
    if (known != kernings_.end()) return known->second;
    std::optional<qreal>& kerning = kernings_[key];
    if (const auto measured = Kernings(QString(QChar(first)) + QChar(second))) {
        kerning = measured->front();
    }
    return kerning;
}

// The three characters are known alone and both pairs' kernings.
bool GlyphCache::KernedAfter(char16_t before, char16_t first, char16_t second) {
    const quint64 key = (quint64(before) << 32) | (quint64(first) << 16) | second;
    const auto known = kernedAfter_.find(key);
    if (known != kernedAfter_.end()) return known->second;
    const auto measured = Kernings(QString(QChar(before)) + QChar(first) + QChar(second));
    return kernedAfter_[key] = measured && *measured == QList<qreal>({*Kerning(before, first),
                                                                      *Kerning(first, second)});
}

// The kerning between each two neighbours of `sample`, when it shapes as its characters' glyphs
// side by side with only these kernings between them, all on the baseline of the characters
// alone.
std::optional<QList<qreal>> GlyphCache::Kernings(const QString& sample) {
    const Shaped shaped = ShapeLine(font_, sample);
    if (shaped.runs.size() != 1 || shaped.runs[0].rawFont() != face_ ||
        shaped.runs[0].glyphIndexes().size() != sample.size() || shaped.ascent != ascent_ ||
        shaped.descent != descent_) {
        return std::nullopt;
    }
    const QList<quint32> indexes = shaped.runs[0].glyphIndexes();
    const QList<QPointF> positions = shaped.runs[0].positions();
    QList<qreal> kernings;
    qreal x = 0;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        const Glyph& glyph = *glyphs_[sample[i].unicode()];
        if (i > 0) {
            kernings.append(positions[i].x() - x);
            x = positions[i].x();
        }
        if (indexes[i] != glyph.index || positions[i].y() != ascent_) return std::nullopt;
        x += glyph.advance;
    }
    if (positions[0].x() != 0 || shaped.advance != x) return std::nullopt;
    return kernings;
}

}  // namespace velnix::qt_platform
