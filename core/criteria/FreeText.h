#pragma once
#include "criteria/Sorgu.h"

namespace tornaly {

// Asks the user for a free text. On OK: str1 = "1", str2 = the text (at most
// 255 characters); on cancel both are empty.
TSorgu AskFreeText(const QString& prompt, const QString& caption = {});

} // namespace tornaly
