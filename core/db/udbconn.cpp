#include "db/udbconn.h"

namespace tornaly {

TDBConn& DBConn()
{
    static TDBConn conn;
    return conn;
}

} // namespace tornaly
