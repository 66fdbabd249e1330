#pragma once
#include "connection/ConnectionModule.h"

#include <functional>
#include <memory>

namespace tornaly {

struct SessionContext;
class TDM1;

// The program table: module id and version of each program of the family.
// Row 1 is this program.
QString ProgramModulId(int programNo);
QString ProgramVersiyon(int programNo);

// The start-up order of the program, one step per method so that tests can
// run it with scripted dialog answers (see RunModal).
class TStartup {
public:
    enum class Exit {
        CompanyCancelled,  // company dialog not confirmed: nothing opened, nothing logged
        DataModuleFailed,  // company database could not be opened or is of another year
        LoginCancelled,    // login not accepted: nothing logged
        IndexNotUnique,    // IX_STOK_2 missing or not unique: halted at once
        Ran                // logged in; the main window ran
    };

    explicit TStartup(SessionContext& ctx);
    ~TStartup();

    // Runs every step in order; `mainWindow` runs the message loop and gives
    // its exit code.
    Exit run(const std::function<int(SessionContext&)>& mainWindow, int* exitCode = nullptr);

    bool chooseCompany();
    bool createDataModule();
    bool login();
    bool uniqueIndexOk();
    void logStart();
    void freeDataModule();

    int ProgramNo = 0;
    TConnectionSettings settings;
    TDbParamLists lists;
    TDM1* dataModule() const { return m_dm.get(); }

private:
    SessionContext& m_ctx;
    std::unique_ptr<TDM1> m_dm;
};

// The text shown when the company database lacks its unique part-number index.
inline QString IndexHataMetni()
{
    return QStringLiteral("DİKKAT ÖNEMLİ HATA OLUŞTU!. LÜTFEN DESTEK HATTINI ARAYINIZ!.");
}

} // namespace tornaly
