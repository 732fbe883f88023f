#pragma once

class QCoreApplication;

// Chinese that renders and reads back: 宋体/SimSun are drawn with
// WenQuanYi Zen Hei, and Qt's own texts are loaded in Chinese.
namespace AppSetup {

void installFontSubstitutions();
void installChineseTranslations(QCoreApplication &app);
// The family that actually draws Chinese text.
const char *chineseFamily();

} // namespace AppSetup
