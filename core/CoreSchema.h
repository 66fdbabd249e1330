#pragma once

namespace tornaly::core {

// Registers the schema modules of the core. Every library's RegisterSchema
// calls those of the libraries it builds on first.
void RegisterSchema();

} // namespace tornaly::core
