#pragma once
// The options of the configuration file, with their defaults; read and
// written by the settings library.

namespace planek {

struct Options {};

}  // namespace planek
