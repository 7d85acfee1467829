#include "picturerecipe.h"

namespace {

const QString kModifierStarts = QStringLiteral("@[~^{#");

bool parseRect(const QString& text, QRectF* rect) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4)
        return false;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok)
            return false;
    }
    if (v[2] <= 0 || v[3] <= 0)
        return false;
    *rect = QRectF(v[0], v[1], v[2], v[3]);
    return true;
}

bool parseLayer(const QString& text, RecipeLayer* layer, QString* error) {
    const int colon = text.indexOf(':');
    if (colon <= 0) {
        *error = "layer without source: \"" + text + "\"";
        return false;
    }
    layer->source = text.left(colon).trimmed();
    static const QStringList sources{"fluent", "noto", "twemoji", "openmoji", "svg", "text"};
    if (!sources.contains(layer->source)) {
        *error = "unknown source \"" + layer->source + "\"";
        return false;
    }
    int pos = colon + 1;
    while (pos < text.size() && !kModifierStarts.contains(text[pos]))
        ++pos;
    layer->name = text.mid(colon + 1, pos - colon - 1).trimmed();
    if (layer->name.isEmpty()) {
        *error = "layer without name: \"" + text + "\"";
        return false;
    }

    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c == '~') {
            layer->mirror = true;
            ++pos;
            continue;
        }
        // Each other modifier runs to the next modifier start (or its closing bracket).
        int end = pos + 1;
        if (c == '[' || c == '{') {
            end = text.indexOf(c == '[' ? ']' : '}', pos);
            if (end < 0) {
                *error = QString("unclosed '%1' in \"%2\"").arg(c).arg(text);
                return false;
            }
        } else {
            while (end < text.size() && !kModifierStarts.contains(text[end]))
                ++end;
        }
        const QString arg = text.mid(pos + 1, end - pos - 1).trimmed();
        bool ok = true;
        if (c == '@') {
            ok = parseRect(arg, &layer->place);
        } else if (c == '[') {
            ok = parseRect(arg, &layer->crop);
            ++end;
        } else if (c == '^') {
            layer->rotation = arg.toDouble(&ok);
        } else if (c == '#') {
            layer->textColour = QColor('#' + arg);
            ok = layer->textColour.isValid();
        } else if (c == '{') {
            for (const QString& pair : arg.split(';', Qt::SkipEmptyParts)) {
                const QStringList fromTo = pair.split('=');
                if (fromTo.size() != 2 || fromTo[0].trimmed().isEmpty()) {
                    ok = false;
                    break;
                }
                layer->recolour.append({fromTo[0].trimmed(), fromTo[1].trimmed()});
            }
            ++end;
        }
        if (!ok) {
            *error = QString("bad '%1' modifier in \"%2\"").arg(c).arg(text);
            return false;
        }
        pos = end;
    }
    return true;
}

} // namespace

bool PictureRecipe::parse(const QString& text, QList<RecipeLayer>* layers, QString* error) {
    layers->clear();
    QString fault;
    const QStringList parts = text.split(" + ");
    for (const QString& part : parts) {
        RecipeLayer layer;
        if (!parseLayer(part.trimmed(), &layer, &fault)) {
            if (error)
                *error = fault;
            layers->clear();
            return false;
        }
        layers->append(layer);
    }
    if (layers->isEmpty() && error)
        *error = "empty recipe";
    return !layers->isEmpty();
}
