#pragma once
// Where the angel of the day is shown: the two picture boxes, the name label and the
// description box of the main window.

#include <string_view>

namespace haloquill {

class AngelDisplay {
  public:
    virtual ~AngelDisplay() = default;
    // Shows picture `number` of the picture set in both picture boxes; a number outside 1..14
    // shows nothing and leaves both boxes as they are.
    virtual void ShowAngelPicture(int number) = 0;
    virtual void SetCardName(std::string_view name) = 0;
    virtual void SetCardDescription(std::string_view description) = 0;
};

} // namespace haloquill
