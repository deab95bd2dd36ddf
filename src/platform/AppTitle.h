#pragma once
// The application title: the product's short title and the maker's call
// sign. The same text names the running copy for a second one, heads the
// main window's caption and the message boxes. It sits in the lowest layer
// so that every form, the dialogs of data/ and serial/ included, can use it
// without reaching up into app/.

inline constexpr const char* kAppTitle = "Talvex de N0CALL";
/// The single-instance name, from the first version of the data set.
inline constexpr const char* kInstanceName = "Dravel";
