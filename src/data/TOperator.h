#pragma once
// One operator of the names file: call, name and the membership numbers in
// the two CW clubs, FOC and CWOps (0 or less: not a member).

#include <cstdint>
#include <string>
#include <string_view>

#include "data/FixedText.h"

class TOperator {
 public:
  /// Stores call and name (cut to 30 and 15 characters); the number text
  /// becomes the FOC number when the club is FOC, the CWOP number when it
  /// is CWOP (any case); any other club sets neither.
  TOperator(std::string_view call, std::string_view name, std::string_view number,
            std::string_view club);

  /// Replaces the name and sets the number of the club named, keeping the
  /// other club's number.
  void Update(std::string_view name, std::string_view number, std::string_view club);

  /// The stored call equals the given one, case aside.
  bool HasCall(std::string_view call) const;
  bool IsFocMember() const { return focNumber > 0; }
  bool IsCwopMember() const { return cwopNumber > 0; }

  /// The name followed by ",FOC+CWOP", ",FOC", ",CWOP" or ",N/A": a
  /// membership counts only when its show option is on. Cut to length.
  std::string GetNameAndClubs(std::size_t length, bool showFoc, bool showCwop) const;

  FixedText<30> call;
  FixedText<15> name;
  std::int32_t focNumber = 0;
  std::int32_t cwopNumber = 0;

 private:
  void SetClubNumber(std::string_view number, std::string_view club);
};
