// The hidden field's keyboard: typed characters press the window's keys; key codes count
// only for strokes that type no character. Also the click on a key from the key table.
#include <utility>

#include "CalculatorKeys.h"
#include "Engine.h"

namespace numora {

void TCalculatorEngine::ClickKey(TCalcWindow& window, const TCalculatorKey& key) {
  switch (key.Handler) {
    case TKeyHandler::Digit:
      return ZeroButtonClick(window, key.Caption);
    case TKeyHandler::Operator:
      return PlusButtonClick(window, key.Component);
    case TKeyHandler::Function:
      return RootButtonClick(window, key.Component);
    case TKeyHandler::Percent:
      return PercentButtonClick(window);
    case TKeyHandler::Comma:
      return CommaButtonClick(window);
    case TKeyHandler::Back:
      return BackButtonClick(window);
    case TKeyHandler::Sign:
      return SignButtonClick(window);
    case TKeyHandler::Clear:
      return ClearButtonClick(window);
    case TKeyHandler::ClearAll:
      return ClearAllButtonClick(window);
    case TKeyHandler::MemClear:
      return MemClearBtnClick();
    case TKeyHandler::MemRecall:
      return MemButtonClick(window);
    case TKeyHandler::MemStore:
      return SpeedButton22Click(window);
    case TKeyHandler::MemPlus:
      return MemPlusBtnClick(window);
    case TKeyHandler::Pi:
      return PiBtnClick(window);
  }
}

// A layout decides which key types "*" or a digit (Shift+8, AZERTY's shifted digit row), so
// a key code says nothing about a stroke that types a character.
void TCalculatorEngine::Edit1KeyDown(TCalcWindow& window, std::uint16_t virtualKey,
                                     bool typesCharacter) {
  if (typesCharacter) return;
  if (const TCalculatorKey* key = KeyOfVirtualKey(virtualKey)) ClickKey(window, *key);
}

// The field follows the display (FollowDisplay), so no typed character goes into it.
void TCalculatorEngine::Edit1KeyPress(TCalcWindow& window, char& character) {
  const char typed = std::exchange(character, '\0');
  if (const TCalculatorKey* key = KeyOfCharacter(typed)) ClickKey(window, *key);
}

}  // namespace numora
