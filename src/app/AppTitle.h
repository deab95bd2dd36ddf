#pragma once
// The application title: the product's short title and the maker's call
// sign. The same text names the running copy for a second one and heads the
// main window's caption.

inline constexpr const char* kAppTitle = "Talvex de N0CALL";
/// The single-instance name, from the first version of the data set.
inline constexpr const char* kInstanceName = "Dravel";
