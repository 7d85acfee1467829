// record.xtr as the recordings tab opens it: whatever the file holds, every place reads as a
// plain file name inside the recordings folder or as never recorded, and afterwards a
// recording can be stored into any place and reads back.
#include "recordingcatalogue.h"
#include "scratchfolder.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    scratch.Clear();
    const QString folder = scratch.Path(QStringLiteral("Nagrane"));
    Require(QDir().mkpath(folder), "cannot make the recordings folder");
    scratch.Write(QStringLiteral("Nagrane/record.xtr"), data, size);

    const auto today = [] { return QDate(2024, 9, 1); };
    RecordingCatalogue catalogue(folder, today);
    if (!catalogue.Open()) {
        return 0; // not readable as text of an ini file's size
    }
    const QString inside = QFileInfo(folder).absoluteFilePath();
    for (int n = 0; n < RecordingCatalogue::Places; ++n) {
        const RecordingCatalogue::NagRec& place = catalogue.Place(n);
        Require(place.number == n, "place out of order");
        Require(place.file.isEmpty() || RecordingCatalogue::IsPlainBaseName(place.file),
                "a file name that is not a plain base name");
        const QString sound = catalogue.SoundPath(n);
        Require(sound.isEmpty() || QFileInfo(sound).absolutePath() == inside,
                "a sound path outside the recordings folder");
    }

    const int last = RecordingCatalogue::Places - 1;
    catalogue.SetName(last, QStringLiteral(" Zosia \"Ż\" "));
    Require(catalogue.StoreRecording(last), "cannot record into the last place");
    RecordingCatalogue reopened(folder, today);
    Require(reopened.Open(), "the stored catalogue does not open");
    Require(reopened.Place(last).name == QStringLiteral(" Zosia \"Ż\" ") &&
                reopened.Place(last).file == RecordingCatalogue::RecordingFileName(last),
            "the stored recording does not read back");
    return 0;
}
