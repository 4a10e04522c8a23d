#include "i18n/fixed_texts.h"

namespace kvl::i18n {

// A reserved placeholder domain (RFC 2606): this program has no web site of its own yet. Replace this
// one constant when it gets one; the caption below names the same host.
const char *const kWebAddress = "https://www.example.org/kvl-settings-editor";
const char *const kWebCaption = "example.org";
const char *const kCopyrightLine = "(c) 2026 KVL-17+ Settings Editor contributors";
const char *const kStatusBarCopyright = "(c) 2026 KVL-17+ contributors - v2.03"; // fits the 230-pixel panel
const char *const kDistributionTermsEnglish = "Free to use and to pass on, without any warranty.";
const char *const kDistributionTermsGerman = "Frei nutzbar und weitergebbar, ohne jede Gewährleistung.";
const char *const kPreferencesDesignCaption = "Preferences";

} // namespace kvl::i18n
