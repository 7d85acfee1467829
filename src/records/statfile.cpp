#include "statfile.h"

#include "damagedfile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <utility>

namespace {

std::int32_t get32(const char* in) {
    return qFromLittleEndian<std::int32_t>(in);
}

} // namespace

StatFile::StatFile(QString path, std::int32_t programNumber, SystemTime::Clock clock)
    : m_path(std::move(path)), m_programNumber(programNumber),
      m_clock(clock ? std::move(clock) : [] { return std::chrono::system_clock::now(); }) {}

void StatFile::Put16(char* out, std::uint16_t value) {
    qToLittleEndian(value, out);
}

void StatFile::Put32(char* out, std::int32_t value) {
    qToLittleEndian(value, out);
}

void StatFile::EncodeHeader(std::int32_t programNumber, const SystemTime& created, char* out) {
    Put32(out, programNumber);
    created.writeLE(out + 4);
}

bool StatFile::IsOwnHeader(const char* header, std::int32_t programNumber) {
    if (get32(header) != programNumber)
        return false;
    const SystemTime created = SystemTime::readLE(header + 4);
    return created.isValid() && created.dayOfWeek <= 6;
}

bool StatFile::IsWholeRecords(qint64 size) {
    return size >= HeaderSize && (size - HeaderSize) % RecordSize == 0;
}

bool StatFile::Prepare() {
    const QFileInfo info(m_path);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile())
            return false;
        switch (state()) {
        case State::Usable:
            return canAppend();
        case State::TornTail:
            return cutTornTail() && canAppend();
        case State::Damaged:
            if (!DamagedFile::MoveAside(m_path, m_clock))
                return false;
            break;
        }
    }
    return create();
}

bool StatFile::Append(const char* record) {
    QFile file(m_path);
    // Never creates: a record without its header would make the file unreadable.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered |
                   QIODevice::ExistingOnly))
        return false;
    const qint64 before = file.size();
    const qint64 written =
        m_writer ? m_writer(file, record, RecordSize) : file.write(record, RecordSize);
    if (written == RecordSize)
        return true;
    file.resize(before);
    return false;
}

StatFile::State StatFile::state() const {
    QFile file(m_path);
    const qint64 size = file.size();
    // A file we may not read cannot be judged; one of whole records is left as it is.
    if (!file.open(QIODevice::ReadOnly))
        return IsWholeRecords(size) ? State::Usable : State::Damaged;
    char header[HeaderSize];
    if (file.read(header, HeaderSize) != HeaderSize || !IsOwnHeader(header, m_programNumber))
        return State::Damaged;
    return IsWholeRecords(size) ? State::Usable : State::TornTail;
}

bool StatFile::cutTornTail() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    const qint64 size = file.size();
    const qint64 whole = size - (size - HeaderSize) % RecordSize;
    // The piece of a record an interrupted append left is kept aside before it is cut off.
    return file.seek(whole) && DamagedFile::KeepAside(m_path, file.readAll(), m_clock) &&
           file.resize(whole);
}

bool StatFile::canAppend() const {
    QFile file(m_path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly);
}

bool StatFile::create() {
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    char header[HeaderSize];
    EncodeHeader(m_programNumber, SystemTime::nowUtc(m_clock), header);
    if (file.write(header, HeaderSize) == HeaderSize)
        return true;
    // Only a piece of our own new header is in it.
    file.remove();
    return false;
}
