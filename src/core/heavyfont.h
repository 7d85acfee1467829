#pragma once

#include <QFont>

// The program's heavy sans for captions and messages: Arial Black where it is installed, else
// a black weight of DejaVu Sans or Liberation Sans, at a size in pixels.
QFont HeavyFont(int pixelSize);
