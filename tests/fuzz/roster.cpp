// Roster files: whatever the file holds, every line the merge would append
// is a names-file line of two or four fields (a club the names file knows),
// ends in its own line end, and every entry's call passes the call sign
// test. The names file the plan is made against is the same input.
#include "FuzzSupport.h"
#include "data/TOperatorList.h"
#include "data/TRosterImport.h"
#include "data/TextUtils.h"
#include "platform/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  TRoster roster;
  std::string failure;
  if (!ParseRoster(input, fuzz::Dir() + "cwops.txt", roster, failure)) {
    fuzz::Check(!failure.empty());
    return 0;
  }
  for (const TRosterEntry& entry : roster.entries) fuzz::Check(IsCallsign(entry.call));
  TOperatorList names;
  ForEachTextLine(input, [&names](std::string_view line) { names.ApplyNamesLine(line); });
  for (TClub club : {TClub::kFoc, TClub::kCwop, TClub::kUnknown}) {
    const TRosterPlan plan = PlanRosterMerge(roster, club, 20261201, names);
    fuzz::Check(plan.lines.empty() || plan.lines.back() == '\n');
    std::size_t lines = 0;
    ForEachTextLine(plan.lines, [&](std::string_view line) {
      ++lines;
      const auto pieces = SplitFields(line, ",");
      fuzz::Check(pieces.size() == 2 || (pieces.size() == 4 && (pieces[3] == "FOC" || pieces[3] == "CWOP")));
    });
    fuzz::Check(lines == plan.newCalls.size() + plan.newMemberships.size());
    DescribeRosterPlan(roster, club, plan, "names.txt");
  }
  return 0;
}
