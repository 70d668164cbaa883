#pragma once

// The device model code of the connected terminal: 0 while unknown (at start and after
// every port close), otherwise the model code of the last identity record. One for the
// whole program: the identity record sets it, the serial connection resets and reads it.
inline unsigned int deviceModelCode = 0;
