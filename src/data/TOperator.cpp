#include "data/TOperator.h"

#include <algorithm>

#include "data/TextUtils.h"

TOperator::TOperator(std::string_view callText, std::string_view nameText, std::string_view number,
                     std::string_view club)
    : call(callText), name(nameText) {
  SetClubNumber(number, club);
}

void TOperator::Update(std::string_view nameText, std::string_view number, std::string_view club) {
  name = nameText;
  SetClubNumber(number, club);
}

void TOperator::SetClubNumber(std::string_view number, std::string_view club) {
  if (SameText(club, "FOC")) focNumber = ReadInteger(number);
  else if (SameText(club, "CWOP")) cwopNumber = ReadInteger(number);
}

bool TOperator::HasCall(std::string_view other) const { return SameText(call.view(), other); }

std::string TOperator::GetNameAndClubs(std::size_t length, bool showFoc, bool showCwop) const {
  const bool foc = showFoc && IsFocMember();
  const bool cwop = showCwop && IsCwopMember();
  const std::string_view suffix = foc && cwop ? ",FOC+CWOP" : foc ? ",FOC" : cwop ? ",CWOP" : ",N/A";
  std::string text;
  text.reserve(std::min(length, name.size() + suffix.size()));
  text.append(CutText(name.view(), length));
  // A name cut short ends the text: the clubs never fill the bytes of a
  // character the cut dropped.
  if (text.size() == name.size()) text.append(suffix.substr(0, length - text.size()));
  return text;
}
