#pragma once

namespace tornaly {
class Db;
}

namespace tornaly::workshop {

// The demo company's vehicle catalogue and a few vehicles.
void SeedVehicleDemo(const Db& db);

} // namespace tornaly::workshop
