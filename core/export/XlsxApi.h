#pragma once
#include <xlsxwriter.h>

namespace tornaly {

// The spreadsheet writer library, loaded with its own zip library bound
// privately: QuaZip (used to read spreadsheets) exports zip functions of the
// same names, and a process that links both normally sends the writer's zip
// calls into QuaZip. Call only through these pointers.
struct XlsxApi {
    decltype(&::workbook_new) workbook_new = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::workbook_add_format) workbook_add_format = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
    decltype(&::format_set_bold) format_set_bold = nullptr;
    decltype(&::format_set_italic) format_set_italic = nullptr;
    decltype(&::format_set_num_format) format_set_num_format = nullptr;
    decltype(&::format_set_font_size) format_set_font_size = nullptr;
    decltype(&::format_set_align) format_set_align = nullptr;
    decltype(&::format_set_border) format_set_border = nullptr;
    decltype(&::format_set_bg_color) format_set_bg_color = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_write_number) worksheet_write_number = nullptr;
    decltype(&::worksheet_write_datetime) worksheet_write_datetime = nullptr;
    decltype(&::worksheet_set_column) worksheet_set_column = nullptr;
    decltype(&::worksheet_merge_range) worksheet_merge_range = nullptr;
};

// The loaded library; throws std::runtime_error with a Turkish text when it
// cannot be loaded.
const XlsxApi& Xlsx();

} // namespace tornaly
