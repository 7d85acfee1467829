#!/usr/bin/env bash
# The enlarged form's tests on a real X server of 1920 x 1080: what is painted must also be
# what the X server shows, at every fraction of a screen pixel a change can start at.
source "$(dirname "$0")/lib.sh"
: "${WK_SCALED_FORM_TEST:?WK_SCALED_FORM_TEST must name the built app_scaledform_test}"
start_x 1920x1080
QT_QPA_PLATFORM=xcb "$WK_SCALED_FORM_TEST"
