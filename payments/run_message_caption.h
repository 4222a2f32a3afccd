#pragma once

// The title of the message boxes a payment run shows outside its dialogs.
inline constexpr char kRunMessageCaption[] = "Tesk Varrow Internet Quidlane";
