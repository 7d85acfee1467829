#include "statrecord.h"

#include <QtEndian>

namespace {

// Field offsets; the settings come in the order poziom, gloski, pozycja.
constexpr int KindAt = 0;
constexpr int StartAt = 4;
constexpr int PoziomAt = 20;
constexpr int GloskiAt = 22;
constexpr int PozycjaAt = 24;
constexpr int DurationAt = 26;
constexpr int CompletedAt = 30;
constexpr int HintsAt = 32;
constexpr int CorrectAt = 36;
constexpr int WrongAt = 40;
static_assert(WrongAt + 4 == StatRecord::Size);
static_assert(PoziomAt - StartAt == SystemTime::ByteSize);

// The file is little-endian whatever the machine.
void put16(char* out, std::uint16_t value) {
    qToLittleEndian(value, out);
}

void put32(char* out, std::int32_t value) {
    qToLittleEndian(value, out);
}

std::uint16_t get16(const char* in) {
    return qFromLittleEndian<std::uint16_t>(in);
}

std::int32_t get32(const char* in) {
    return qFromLittleEndian<std::int32_t>(in);
}

} // namespace

void StatRecord::Encode(char* out) const {
    put32(out + KindAt, kind);
    start.writeLE(out + StartAt);
    put16(out + PoziomAt, poziom);
    put16(out + GloskiAt, gloski);
    put16(out + PozycjaAt, pozycja);
    put32(out + DurationAt, duration);
    put16(out + CompletedAt, completed);
    put32(out + HintsAt, hints);
    put32(out + CorrectAt, correct);
    put32(out + WrongAt, wrong);
}

StatRecord StatRecord::Decode(const char* in) {
    StatRecord r;
    r.kind = get32(in + KindAt);
    r.start = SystemTime::readLE(in + StartAt);
    r.poziom = get16(in + PoziomAt);
    r.gloski = get16(in + GloskiAt);
    r.pozycja = get16(in + PozycjaAt);
    r.duration = get32(in + DurationAt);
    r.completed = get16(in + CompletedAt);
    r.hints = get32(in + HintsAt);
    r.correct = get32(in + CorrectAt);
    r.wrong = get32(in + WrongAt);
    return r;
}
