#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

class PracticeLog;

// The figures the reports show, read from the practice log. Accuracy is correct / (correct +
// wrong); hints are counted apart. Where nothing was answered there is no accuracy (the view
// shows "—"), which is not the same as an accuracy of 0.
class PracticeReport {
public:
    // Whose answers and when. Days are UTC and both ends are included; an invalid date leaves
    // that end open.
    struct Filter {
        enum class Who { All, Guest, Child };
        Who who = Who::All;
        qint64 childId = 0; // for Who::Child
        QDate from;
        QDate to;
    };

    struct Figures {
        int attempts = 0;
        int correct = 0;
        int wrong = 0;
        int hints = 0;
        std::optional<double> accuracy;
        bool operator==(const Figures&) const = default;
    };

    // One sound (WordBits::Sz ... WordBits::Dz) at one position (WordBits::Naglos ...).
    struct Cell {
        std::uint16_t sound = 0;
        std::uint16_t position = 0;
        Figures figures;
    };

    struct WrongWord {
        QString word;
        int wrong = 0;
        int attempts = 0;
        bool operator==(const WrongWord&) const = default;
    };

    struct Week {
        int isoYear = 0;
        int isoWeek = 0;
        std::uint16_t sound = 0;
        Figures figures;
    };

    explicit PracticeReport(const PracticeLog& log) : m_log(log) {}

    // Every sound of the eight against every position of the three, in that order, whether
    // answered or not.
    std::optional<std::vector<Cell>> SoundsByPosition(const Filter& filter);
    // Words answered wrong at least once, the most often first (then by attempts, then by key).
    std::optional<std::vector<WrongWord>> MostWrongWords(const Filter& filter, int limit);
    // The weeks with answers, the oldest first, each sound answered in them.
    std::optional<std::vector<Week>> WeeklyAccuracy(const Filter& filter);

    const QString& LastError() const { return m_error; }

private:
    const PracticeLog& m_log;
    QString m_error;
};
