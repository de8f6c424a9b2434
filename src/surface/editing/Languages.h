#pragma once

// French and English captions. There is no language variable: the switch button decides by
// reading its own caption, and config.ini remembers the choice for the next start.

#include <array>
#include <string_view>

#include "surface/editing/EditingContext.h"

namespace velmora {

// Each writes Language of [CONFIG] first ("FR" / "EN"); a failed write throws
// ProfileWriteError and changes no caption.
void SetLanguageFrench(EditingContext& context);
void SetLanguageEnglish(EditingContext& context);

// "Traduire" on the button: English is shown, switch to French; "Translate": the reverse.
void bttnTraduireClick(EditingContext& context);

// The start-up rule: "FR" or empty French, "EN" English, any other value neither.
void ApplyStoredLanguage(EditingContext& context, std::string_view stored);

}  // namespace velmora
