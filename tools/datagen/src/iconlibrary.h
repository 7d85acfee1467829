#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QMutex>
#include <QString>
#include <memory>

// The picture sources a recipe can name: the emoji sets installed from npm (Iconify JSON, one
// file per set) and our own drawings (one SVG file per name).
class IconLibrary {
public:
    // setsDir holds the npm packages (".../node_modules/@iconify-json"); drawingsDir our SVGs.
    IconLibrary(const QString& setsDir, const QString& drawingsDir);

    // A complete SVG document for the source ("fluent", "noto", "twemoji", "openmoji" or
    // "svg") and name; empty with error set when there is no such picture. Safe to call from
    // several threads.
    QByteArray svg(const QString& source, const QString& name, QString* error = nullptr);

    // Builds an SVG document from one Iconify icon; exposed for tests.
    static QByteArray iconDocument(const QJsonObject& set, const QString& name);

    // Licence line of a source, for the credits.
    static QString packageOf(const QString& source);

private:
    std::shared_ptr<const QJsonObject> set(const QString& source, QString* error);

    QString setsDir_;
    QString drawingsDir_;
    QHash<QString, std::shared_ptr<const QJsonObject>> sets_;
    QMutex mutex_;
};
