#include "converter/converter_startup.h"

#include "converter/field_events.h"
#include "converter/value_history.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "views/float_printer.h"

void StartConverter(int widthButton, int endianButton)
{
    ResetValueHistory();  // the width click below settles the first value
    UppercaseFieldLetters(FieldHex);
    LimitFieldText(FieldFloat, FloatTextBudget);
    ClickFieldButton(widthButton);
    ClickFieldButton(endianButton);
}
