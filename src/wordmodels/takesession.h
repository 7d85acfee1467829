#pragma once

#include "takecleaner.h"

#include <QStringList>
#include <cstdint>
#include <vector>

// One take of a model: the samples as the microphone gives them, the level the meter shows,
// and once it is ended the cleaned take to hear and keep. Nothing here touches a device, so
// the window feeds it whatever its capture gives.
class TakeSession {
public:
    enum class State { Idle, Recording, Ready };
    static constexpr int Rate = 22050;
    // A word or phrase takes a few seconds; a forgotten take ends by itself.
    static constexpr int LimitMs = 10000;
    static constexpr std::int64_t LimitSamples = std::int64_t(Rate) * LimitMs / 1000;
    // The meter shows the loudest sample of this last stretch.
    static constexpr int MeterMs = 50;

    State state() const { return m_state; }
    // Starts a take, dropping any earlier one.
    void Begin();
    // Samples of the running take; ignored unless recording. Past the limit they are dropped.
    void Add(const std::vector<short>& samples);
    bool LimitReached() const { return std::int64_t(m_raw.size()) >= LimitSamples; }
    // Anything louder than digital silence (a muted microphone gives only zeros).
    bool HeardAnything() const { return m_heardSound; }
    // The meter's level in dBFS (-120 for silence).
    double LevelDb() const { return m_levelDb; }
    // Ends the take and cleans it: Ready when anything was heard, Idle otherwise.
    void End();
    void Discard();

    // The cleaned take; meaningful when Ready.
    const CleanedTake& Take() const { return m_take; }
    QStringList WarningTexts() const;
    double RecordedSeconds() const { return double(m_raw.size()) / Rate; }

private:
    State m_state = State::Idle;
    std::vector<std::int16_t> m_raw;
    CleanedTake m_take;
    double m_levelDb = -120;
    bool m_heardSound = false;
};
