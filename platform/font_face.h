// The face of every dialog and of the lock program's clock, read by the resource scripts and
// by the code alike.
#pragma once

#define FONT_FACE "ＭＳ ゴシック"
