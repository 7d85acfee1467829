#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The generator's tables in the tree: UTF-8, tab-separated, one row a line; empty lines and
// lines starting with '#' are skipped.
class TsvTable {
public:
    struct Row {
        int line;
        QStringList fields;
    };

    // False with error set when the file cannot be read or a row has fewer than minFields.
    static bool read(const QString& path, int minFields, QList<Row>* rows, QString* error);
};
