#include "surface/editing/Languages.h"

#include <string>

#include "profile/Profile.h"
#include "surface/files/SettingsFile.h"
#include "surface/form/Form.h"

namespace velmora {

namespace {

// The switch button names the other language.
constexpr std::string_view kSwitchWhileEnglish = "Traduire";
constexpr std::string_view kSwitchWhileFrench = "Translate";

// The values of Language in [CONFIG].
constexpr std::string_view kFrenchCode = "FR";
constexpr std::string_view kEnglishCode = "EN";

void SetLanguage(EditingContext& context, bool french) {
  WriteProfileString(context.folders.ConfigFile(), settings::kConfig, settings::kConfigLanguage,
                     french ? kFrenchCode : kEnglishCode);
  FormModel& model = context.form;
  for (const Form* form : AllForms()) {
    for (const Caption& caption : form->captions) {
      if (!caption.whileEmpty.empty()) {
        const ModelField list = BoundField(*FindBinding(*form, caption.whileEmpty), model);
        if (!(*std::get<ComboBox*>(list)).Text().empty()) {
          continue;
        }
      }
      CaptionField(*form, model, caption.control) = french ? caption.french : caption.english;
    }
  }
}

}  // namespace

void SetLanguageFrench(EditingContext& context) {
  SetLanguage(context, true);
}

void SetLanguageEnglish(EditingContext& context) {
  SetLanguage(context, false);
}

void bttnTraduireClick(EditingContext& context) {
  const std::string& caption = context.form.bttnTraduire.caption;
  if (caption == kSwitchWhileEnglish) {
    SetLanguageFrench(context);
  } else if (caption == kSwitchWhileFrench) {
    SetLanguageEnglish(context);
  }
}

void ApplyStoredLanguage(EditingContext& context, std::string_view stored) {
  if (stored == kFrenchCode || stored.empty()) {
    SetLanguageFrench(context);
  } else if (stored == kEnglishCode) {
    SetLanguageEnglish(context);
  }
}

}  // namespace velmora
