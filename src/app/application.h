// SPDX-License-Identifier: MIT
#pragma once

namespace app {

// The application's identity, font and error reporting; the tests set up
// the same way as the program.
void setUpApplication();

} // namespace app
