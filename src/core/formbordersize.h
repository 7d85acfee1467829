#pragma once

// Window frame thickness for a border style, for code that converts between window and screen
// coordinates. All windows of the program are frameless, which gives 0.
enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeableToolWindow };

short BorderWidth(BorderStyle style);
short BorderHeight(BorderStyle style);
