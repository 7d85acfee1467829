#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

// A private folder for the files a fuzz target hands to the program's loaders, emptied before
// every input so that nothing one input leaves behind changes how the next one is read.
class ScratchFolder {
public:
    ScratchFolder();

    // Removes everything in the folder.
    void Clear();
    QString Path(const QString& name) const;
    // Writes the bytes to a new file of that name and returns its path.
    QString Write(const QString& name, const std::uint8_t* data, std::size_t size);
    const QString& Folder() const { return m_folder; }

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

// A broken promise of the code under test: reported to libFuzzer as a crash with its input.
void Require(bool holds, const char* what);
