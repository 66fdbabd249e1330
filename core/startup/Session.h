#pragma once

namespace tornaly {

struct SessionContext;

// Asks for another login (the login dialog again) and, when one is accepted,
// reloads the user and the parameters into `ctx`. False when cancelled.
bool ChangeLogin(SessionContext& ctx);
// Lets the user choose another company and working year, reopens the company
// database and logs in again, asking until a login is accepted. False when
// the company choice is cancelled; `ctx` is then unchanged.
bool ChangeCompany(SessionContext& ctx);

} // namespace tornaly
