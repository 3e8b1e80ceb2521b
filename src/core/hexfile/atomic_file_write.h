#pragma once

// The file helpers live in core/files now. This header stays only while the
// command-line settings back end still includes it; it goes with that back end.
#include "core/files/atomic_file_write.h"
