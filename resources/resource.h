// Resource ids of the Glossmark Editor. Shared by Edit.rc and the C++ code.
// The framework's standard ids are defined here too, so that nothing else
// has to be included to name them.
#pragma once

// Resources
#define IDD_ABOUTBOX                    100
#define IDR_MAINFRAME                   128
#define IDB_TREE_BOXES                  137
#define IDB_KIND_ICONS                  141
#define IDB_PLACEHOLDERS                145
#define IDR_TOOLBAR                     146
#define IDB_TOOLBAR_HOT                 146
#define IDB_TOOLBAR_NORMAL              147
#define IDD_HEADVIEW                    147
#define IDB_TOOLBAR_CHECKED             148
#define IDB_TOOLBAR_DISABLED            149
#define IDD_FLAGDIALOG                  158
#define IDB_FLAG_STRIP                  159
#define IDD_FONTSDIALOG                 161
#define IDB_ABOUT                       165
#define IDS_VERSION_FORMAT              200

// Dialog controls
#define IDOK                            1
#define IDCANCEL                        2
#define IDHELP                          9
#define IDC_STATIC                      (-1)
#define IDC_HEAD_VERSION                1001
#define IDC_HEAD_LANGUAGE               1002
#define IDC_HEAD_PROGRAM                1003
#define IDC_HEAD_FOREIGN_NAME           1004
#define IDC_HEAD_FOREIGN_LABEL          1005
#define IDC_FLAG_LIST                   1006
#define IDC_HEAD_FOREIGN_FLAG           1007
#define IDC_HEAD_OWN_FLAG               1008
#define IDC_FONTS_CHANGE_FOREIGN        1012
#define IDC_FONTS_CHANGE_TEXT           1013
#define IDC_FONTS_FOREIGN_SAMPLE        1014
#define IDC_FONTS_TEXT_SAMPLE           1015
#define IDC_ABOUT_VERSION               1017

// The run-time layer's own command: opens the language switch dialog.
#define ID_GLOSSMARK_SWITCH             19987

// The editor's commands
#define ID_MARK_ALL_DONE                32797
#define ID_MARK_ALL_TODO                32798
#define ID_EXPAND_ALL                   32804
#define ID_SHOW_TODO                    32805
#define ID_COLLAPSE_ALL                 32806
#define ID_SHOW_FOREIGN                 32807
#define ID_HIDE_FOREIGN                 32808
#define ID_OPEN_LANGUAGE                32809
#define ID_VERSION_UPDATE               32810
#define ID_SAVE_LANGUAGE                32811
#define ID_SAVE_LANGUAGE_AS             32814
#define ID_NEW_TRANSLATION              32815
#define ID_CHOOSE_FLAG                  33002
#define ID_LANGUAGE_SWITCH              33007
#define ID_FONTS                        33008
#define ID_FIND                         33009
#define ID_REPLACE                      33010
#define ID_FIND_NEXT_DOWN               33011
#define ID_FIND_NEXT_UP                 33012

// Translation checks: the problems pane and walking its problems
#define ID_VIEW_PROBLEMS                33020
#define ID_NEXT_PROBLEM                 33021
#define ID_PREV_PROBLEM                 33022

// The framework's commands and strings
#define AFX_IDS_APP_TITLE               57344
#define AFX_IDS_IDLEMESSAGE             57345
#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_FILE_SAVE                    57603
#define ID_FILE_PRINT_SETUP             57606
#define ID_FILE_PRINT                   57607
#define ID_FILE_PRINT_DIRECT            57608
#define ID_FILE_PRINT_PREVIEW           57609
#define ID_FILE_MRU_FILE1               57616
#define ID_FILE_MRU_FILE2               57617
#define ID_FILE_MRU_FILE3               57618
#define ID_FILE_MRU_FILE4               57619
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_UNDO                    57643
#define ID_EDIT_REDO                    57644
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665
#define ID_HELP_FINDER                  57667
#define ID_CONTEXT_HELP                 57669
#define ID_HELP                         57670
#define ID_DEFAULT_HELP                 57671
#define ID_NEXT_PANE                    57680
#define ID_PREV_PANE                    57681
#define ID_INDICATOR_CAPS               59137
#define ID_INDICATOR_NUM                59138
#define ID_INDICATOR_SCRL               59139
#define ID_VIEW_TOOLBAR                 59392
#define ID_VIEW_STATUS_BAR              59393
#define AFX_IDW_PANE_FIRST              59648

// Texts of the language switch dialog (dialog title, labels, buttons,
// messages) and of the switch command.
#define IDS_SWITCH_LANGUAGE_NAME        61203
#define IDS_SWITCH_TITLE                61204
#define IDS_SWITCH_THIS_VERSION         61205
#define IDS_SWITCH_OLDER_VERSIONS       61206
#define IDS_SWITCH_OK                   61207
#define IDS_SWITCH_CANCEL               61208
#define IDS_SWITCH_HELP                 61209
#define IDS_SWITCH_VERSION_PREFIX       61210
#define IDS_SWITCH_OLDER_WARNING        61211
#define IDS_SWITCH_ERROR                61212
#define IDS_SWITCH_MENU_TEXT            61213

// The document's and the views' texts
#define IDS_TITLE_SHOW_FOREIGN          61447
#define IDS_TITLE_OPEN_LANGUAGE         61448
#define IDS_TITLE_FORMAT                61449
#define IDS_TITLE_SAVE_LANGUAGE         61450
#define IDS_ASK_SAVE                    61451
#define IDS_TITLE_VERSION_UPDATE        61452
#define IDS_OTHER_PROGRAM               61453
#define IDS_OTHER_VERSION               61454
#define IDS_NEW_LANGUAGE_NAME           61455
#define IDS_INVALID_FILE                61456
#define IDS_ORIGINAL_MARK               61457
#define IDS_REPLACE_TOO_LONG            61458
#define IDS_NOT_FOUND                   61459
#define ID_INDICATOR_POSITION           61460
#define IDS_POSITION_TEXT               61461
#define IDS_POSITION_COUNT              61462
#define IDS_ASK_NEW_FROM_ORIGINAL       61464
// What replace all did, and why a change to a text of limited size was not taken.
#define IDS_REPLACE_ALL_COUNT           61470
#define IDS_TOO_WIDE                    61471

// Keeping work safe: a file changed by another program, the recovery copy.
#define IDS_FILE_CHANGED                61480
#define IDS_ASK_RECOVER                 61481
#define IDS_RECOVER_UNNAMED             61482

// Find and replace: the templates of the modeless find and replace dialogs
// and their controls (the numbers the platform's dialog looks for).
#define IDD_FIND                        170
#define IDD_REPLACE                     171
#define IDD_MESSAGEBOX                  172
#define IDC_FIND_REPLACE                0x400
#define IDC_FIND_REPLACE_ALL            0x401
#define IDC_FIND_WHOLE_WORD             0x410
#define IDC_FIND_MATCH_CASE             0x411
#define IDC_FIND_UP                     0x420
#define IDC_FIND_DOWN                   0x421
#define IDC_FIND_DIRECTION              0x430
#define IDC_FIND_WHAT                   0x480
#define IDC_FIND_REPLACE_WITH           0x481

// Translation checks: the problems pane's texts
#define IDS_PROBLEMS_TITLE              61490
#define IDS_PROBLEM_FORMAT              61491
#define IDS_PROBLEM_ACCELERATOR         61492
#define IDS_PROBLEM_CLASH               61493
#define IDS_PROBLEM_LINES               61494
#define IDS_PROBLEM_WHITESPACE          61495
#define IDS_PROBLEM_WIDTH               61496
#define IDS_PROBLEMS_PATH               61497
#define IDS_PROBLEMS_MESSAGE            61498
#define IDS_PROBLEM_STATUS              61499
#define IDS_PROBLEM_SPELLING            61500

// Undo and redo: the Edit menu's items and the names of the steps
#define IDS_UNDO_PLAIN                  61520
#define IDS_REDO_PLAIN                  61521
#define IDS_UNDO_NAMED                  61522
#define IDS_REDO_NAMED                  61523
#define IDS_STEP_TYPING                 61524
#define IDS_STEP_NEW_LINE               61525
#define IDS_STEP_JOIN_LINES             61526
#define IDS_STEP_PASTE                  61527
#define IDS_STEP_REPLACE                61528
#define IDS_STEP_REPLACE_ALL            61529
#define IDS_STEP_MARK                   61530
#define IDS_STEP_LANGUAGE_NAME          61531
#define IDS_STEP_FLAG                   61532

// Spelling: the dictionary of the file (a submenu of the flag menu, one
// item per installed dictionary), the menu on a misspelt word, the status line.
#define ID_SPELLING_NONE                32930
#define ID_SPELLING_DICTIONARY1         32931
#define ID_SPELLING_DICTIONARY_LAST     32946
#define IDS_SPELLING_ADD                61570
#define IDS_SPELLING_IGNORE             61571
#define IDS_SPELLING_NO_SUGGESTIONS     61572
#define IDS_SPELLING_NO_DICTIONARY      61573

// Printing's page numbers; a file changed by another program while it is open.
#define IDS_PRINT_PAGE                  61510
#define IDS_FILE_CHANGED_RELOAD         61511
#define IDS_FILE_CHANGED_KEEP           61512

// The translation memory: its menu commands, the fill step, messages and the progress text.
#define ID_MEMORY_IMPORT                32910
#define ID_MEMORY_EXPORT                32911
#define ID_MEMORY_REMOVE_FILE           32912
#define ID_MEMORY_REMOVE_PROGRAM        32913
#define ID_FILL_FROM_MEMORY             32914
#define IDS_STEP_FILL                   61550
#define IDS_MEMORY_FILLED               61551
#define IDS_MEMORY_NO_CODE              61552
#define IDS_MEMORY_UNAVAILABLE          61553
#define IDS_MEMORY_IMPORTED             61554
#define IDS_MEMORY_IMPORT_FAILED        61555
#define IDS_MEMORY_EXPORTED             61556
#define IDS_MEMORY_REMOVED              61557
#define IDS_MEMORY_IMPORT_TITLE         61558
#define IDS_MEMORY_EXPORT_TITLE         61559
#define IDS_MEMORY_ERROR                61560
#define IDS_PROGRESS                    61561

// What a screen reader says about the text tree: a row's original, state and
// size limit, the in-place editor's name, placeholders and the kinds of texts.
#define IDS_SPOKEN_ORIGINAL             61590
#define IDS_SPOKEN_DONE                 61591
#define IDS_SPOKEN_TO_EDIT              61592
#define IDS_SPOKEN_SIZE_LIMIT           61593
#define IDS_SPOKEN_TRANSLATION_OF       61594
#define IDS_SPOKEN_NUMBER_PLACEHOLDER   61595
#define IDS_SPOKEN_CHARACTER_PLACEHOLDER 61596
#define IDS_SPOKEN_TEXT_PLACEHOLDER     61597
#define IDS_KIND_DIALOG                 61598
#define IDS_KIND_MENU                   61599
#define IDS_KIND_MENU_ITEM              61600
#define IDS_KIND_SUBMENU                61601
#define IDS_KIND_MENU_BAR               61602
#define IDS_KIND_STRING                 61603
#define IDS_KIND_STRING_TABLE           61604
#define IDS_KIND_FONT                   61605
#define IDS_KIND_GROUP_BOX              61606
#define IDS_KIND_BUTTON                 61607
#define IDS_KIND_CHECK_BOX              61608
#define IDS_KIND_CONTROL                61609

// What a screen reader says about the tree's name, a problem's severity and a
// suggestion of the memory.
#define IDS_TREE_NAME                   61610
#define IDS_SPOKEN_ERROR                61611
#define IDS_SPOKEN_WARNING              61612
#define IDS_SPOKEN_SUGGESTION           61613

// Suggestions: the dock's texts, its toggle command and Ctrl+1 to Ctrl+9
#define IDS_SUGGESTIONS_TITLE           61540
#define IDS_SUGGESTIONS_NUMBER          61541
#define IDS_SUGGESTIONS_SCORE           61542
#define IDS_SUGGESTIONS_TEXT            61543
#define IDS_SUGGESTIONS_ORIGINAL        61544
#define IDS_SUGGESTIONS_FILE            61545
#define IDS_SUGGESTIONS_PROBLEM         61546
#define IDS_SUGGESTIONS_NO_MEMORY       61547
#define IDS_SUGGESTIONS_CONFIRM         61548
#define IDS_STEP_SUGGESTION             61549
#define ID_VIEW_SUGGESTIONS             32900
#define ID_USE_SUGGESTION_1             32901
#define ID_USE_SUGGESTION_2             32902
#define ID_USE_SUGGESTION_3             32903
#define ID_USE_SUGGESTION_4             32904
#define ID_USE_SUGGESTION_5             32905
#define ID_USE_SUGGESTION_6             32906
#define ID_USE_SUGGESTION_7             32907
#define ID_USE_SUGGESTION_8             32908
#define ID_USE_SUGGESTION_9             32909
