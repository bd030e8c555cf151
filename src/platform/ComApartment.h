#pragma once
// COM on the GUI thread starts at its first use (a picture decode, a shell dialog), not at
// start-up: loading COM costs start-up time that most starts never need before the window shows.

namespace orv {

// Joins the calling thread to a single-threaded apartment once; later calls do nothing.
void EnsureComApartment();
// Leaves the apartment if EnsureComApartment joined it on this thread.
void LeaveComApartment();

} // namespace orv
