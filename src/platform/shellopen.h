#pragma once

#include <QString>
#include <QUrl>

// What the desktop is asked to open for a link or a path: an address with a scheme
// ("https:", "mailto:") as it is, a bare "www." address as a web page, anything else as a
// local file (relative to the current directory). Empty text gives an invalid URL.
QUrl ShellUrl(const QString& pathOrUrl);

// Hands the link or path to the desktop's default application (the shell's "open").
// False when it could not be handed over.
bool ShellOpen(const QString& pathOrUrl);
