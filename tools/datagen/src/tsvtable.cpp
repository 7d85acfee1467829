#include "tsvtable.h"

#include <QFile>

bool TsvTable::read(const QString& path, int minFields, QList<Row>* rows, QString* error) {
    rows->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        QString line = QString::fromUtf8(file.readLine());
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        QStringList fields = line.split('\t');
        if (fields.size() < minFields) {
            if (error)
                *error = QString("%1:%2: expected %3 tab-separated fields, found %4")
                             .arg(path)
                             .arg(number)
                             .arg(minFields)
                             .arg(fields.size());
            rows->clear();
            return false;
        }
        for (QString& f : fields)
            f = f.trimmed();
        rows->append({number, fields});
    }
    return true;
}
