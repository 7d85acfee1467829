#include "iconlibrary.h"

#include <QFile>
#include <QJsonDocument>
#include <QMutexLocker>

IconLibrary::IconLibrary(const QString& setsDir, const QString& drawingsDir)
    : setsDir_(setsDir), drawingsDir_(drawingsDir) {}

QString IconLibrary::packageOf(const QString& source) {
    if (source == "fluent")
        return "fluent-emoji-flat";
    if (source == "noto" || source == "twemoji" || source == "openmoji")
        return source;
    return {};
}

std::shared_ptr<const QJsonObject> IconLibrary::set(const QString& source, QString* error) {
    QMutexLocker lock(&mutex_);
    auto it = sets_.find(source);
    if (it != sets_.end())
        return it.value();
    const QString package = packageOf(source);
    if (package.isEmpty()) {
        if (error)
            *error = "unknown picture source \"" + source + "\"";
        return nullptr;
    }
    QFile file(setsDir_ + "/" + package + "/icons.json");
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = "picture set not installed: " + file.fileName();
        return nullptr;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = file.fileName() + ": " + parseError.errorString();
        return nullptr;
    }
    auto loaded = std::make_shared<const QJsonObject>(doc.object());
    sets_.insert(source, loaded);
    return loaded;
}

QByteArray IconLibrary::iconDocument(const QJsonObject& set, const QString& requested) {
    // Aliases point at a parent icon and may flip it.
    QString name = requested;
    bool hFlip = false, vFlip = false;
    const QJsonObject aliases = set.value("aliases").toObject();
    for (int depth = 0; depth < 8 && !set.value("icons").toObject().contains(name); ++depth) {
        const QJsonObject alias = aliases.value(name).toObject();
        if (alias.isEmpty())
            return {};
        hFlip ^= alias.value("hFlip").toBool();
        vFlip ^= alias.value("vFlip").toBool();
        name = alias.value("parent").toString();
    }
    const QJsonObject icon = set.value("icons").toObject().value(name).toObject();
    if (icon.isEmpty())
        return {};
    hFlip ^= icon.value("hFlip").toBool();
    vFlip ^= icon.value("vFlip").toBool();
    const double left = icon.value("left").toDouble(set.value("left").toDouble(0));
    const double top = icon.value("top").toDouble(set.value("top").toDouble(0));
    const double width = icon.value("width").toDouble(set.value("width").toDouble(16));
    const double height = icon.value("height").toDouble(set.value("height").toDouble(16));

    QString body = icon.value("body").toString();
    if (hFlip || vFlip) {
        const QString transform = QString("matrix(%1 0 0 %2 %3 %4)")
                                      .arg(hFlip ? -1 : 1)
                                      .arg(vFlip ? -1 : 1)
                                      .arg(hFlip ? 2 * left + width : 0)
                                      .arg(vFlip ? 2 * top + height : 0);
        body = "<g transform=\"" + transform + "\">" + body + "</g>";
    }
    const QString doc = QString("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" "
                                "height=\"%2\" viewBox=\"%3 %4 %1 %2\">%5</svg>")
                            .arg(width)
                            .arg(height)
                            .arg(left)
                            .arg(top)
                            .arg(body);
    return doc.toUtf8();
}

QByteArray IconLibrary::svg(const QString& source, const QString& name, QString* error) {
    if (source == "svg") {
        QFile file(drawingsDir_ + "/" + name + ".svg");
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = "no drawing " + file.fileName();
            return {};
        }
        return file.readAll();
    }
    const auto icons = set(source, error);
    if (!icons)
        return {};
    QByteArray doc = iconDocument(*icons, name);
    if (doc.isEmpty() && error)
        *error = "no picture \"" + name + "\" in set " + source;
    return doc;
}
