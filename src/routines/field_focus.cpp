#include "routines/field_focus.h"

#include "platform/blanks.h"
#include "platform/resume_next.h"

namespace etq {

void entra1(TextBox& obj) {
    obj.setBackColor(kFocusColor);
    seleciona(obj);
}

void sai1(ColoredControl& obj) {
    obj.setBackColor(kPlainColor);
}

void seleciona(SelectableText& OB) {
    resumeNext([&] { OB.setSelStart(0); });
    resumeNext([&] { OB.setSelLength(static_cast<int>(trimBlanks(OB.text()).size())); });
}

}  // namespace etq
