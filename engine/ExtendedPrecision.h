#pragma once

namespace slanter {

// The x87 unit rounds every result to the precision in its control word, whatever the
// type. Some runtimes start a thread at 53 bits (the double's), which would quietly turn
// Extended into double; each program calls this once at its start, before any engine
// work. Does nothing where long double is not the x87 format.
void UseExtendedPrecision();

} // namespace slanter
