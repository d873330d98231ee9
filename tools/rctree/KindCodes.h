#pragma once

#include <cstdint>

// Kind codes that the tree builder gives the nodes of a language file, by
// the user-interface element each node stands for. The text tree view draws
// its kind icon from the code and keeps texts of codes 2 and 22 to 25 to the
// size of their control; 30 marks the language switch dialog's entry.
namespace kind {

inline constexpr std::int32_t Dialog = 1;         // a dialog template: its title
inline constexpr std::int32_t Menu = 3;           // a menu resource
inline constexpr std::int32_t Popup = 4;          // a popup of a menu
inline constexpr std::int32_t MenuItem = 5;       // a command of a menu
inline constexpr std::int32_t String = 6;         // a string-table text
inline constexpr std::int32_t DialogsTop = 8;     // "Dialoge"
inline constexpr std::int32_t MenusTop = 9;       // "Menus"
inline constexpr std::int32_t StringsTop = 10;    // "Stringtables"
inline constexpr std::int32_t CommandString = 11; // a command's "prompt\ntooltip" string
inline constexpr std::int32_t Label = 21;         // static text
inline constexpr std::int32_t GroupBox = 22;
inline constexpr std::int32_t PushButton = 23;
inline constexpr std::int32_t CheckBox = 24;      // check boxes and radio buttons
inline constexpr std::int32_t OtherControl = 25;  // edit, list, combo box, custom controls
inline constexpr std::int32_t SwitchEntry = 30;
inline constexpr std::int32_t None = 99;          // the root, and nodes made without a code

} // namespace kind
