#include "export/XlsxApi.h"

#include <dlfcn.h>
#include <mutex>
#include <stdexcept>
#include <string>

#ifndef TORNALY_XLSXWRITER_LIBRARY
#define TORNALY_XLSXWRITER_LIBRARY "libxlsxwriter.so.4"
#endif

namespace tornaly {

namespace {

struct Loaded {
    XlsxApi api;
    std::string error;
};

template <typename F>
bool resolve(void* handle, F& fn, const char* name, std::string& error)
{
    fn = reinterpret_cast<F>(dlsym(handle, name));
    if (!fn && error.empty())
        error = name;
    return fn != nullptr;
}

Loaded load()
{
    Loaded l;
    // RTLD_DEEPBIND: the writer finds its own zip library before any
    // same-named functions already in the process.
    void* h = dlopen(TORNALY_XLSXWRITER_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!h) {
        const char* e = dlerror();
        l.error = e ? e : TORNALY_XLSXWRITER_LIBRARY;
        return l;
    }
    XlsxApi& a = l.api;
    std::string& err = l.error;
    resolve(h, a.workbook_new, "workbook_new", err);
    resolve(h, a.workbook_add_worksheet, "workbook_add_worksheet", err);
    resolve(h, a.workbook_add_format, "workbook_add_format", err);
    resolve(h, a.workbook_close, "workbook_close", err);
    resolve(h, a.format_set_bold, "format_set_bold", err);
    resolve(h, a.format_set_italic, "format_set_italic", err);
    resolve(h, a.format_set_num_format, "format_set_num_format", err);
    resolve(h, a.format_set_font_size, "format_set_font_size", err);
    resolve(h, a.format_set_align, "format_set_align", err);
    resolve(h, a.format_set_border, "format_set_border", err);
    resolve(h, a.format_set_bg_color, "format_set_bg_color", err);
    resolve(h, a.worksheet_write_string, "worksheet_write_string", err);
    resolve(h, a.worksheet_write_number, "worksheet_write_number", err);
    resolve(h, a.worksheet_write_datetime, "worksheet_write_datetime", err);
    resolve(h, a.worksheet_set_column, "worksheet_set_column", err);
    resolve(h, a.worksheet_merge_range, "worksheet_merge_range", err);
    return l;
}

} // namespace

const XlsxApi& Xlsx()
{
    static const Loaded loaded = load();
    if (!loaded.error.empty())
        throw std::runtime_error("Excel dosyası yazılamıyor: kütüphane yüklenemedi (" + loaded.error + ")");
    return loaded.api;
}

} // namespace tornaly
