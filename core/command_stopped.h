#pragma once

// Thrown when the user stops a long command (Esc or Stop). It unwinds like a
// run-time error, but nothing is shown: the command cleans up as it goes.
// Not a std::exception, so that no handler of errors takes it by mistake.
struct CommandStopped {};
