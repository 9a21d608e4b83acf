// Where every QSettings of a GUI test program lives: a temporary folder that the test main
// sets up before the application starts, never the configuration of the person running it.
#pragma once

#include <string>

namespace chimeset::testing {

const std::string& TestSettingsFolder();

}  // namespace chimeset::testing
