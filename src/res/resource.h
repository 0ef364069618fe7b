#pragma once
// Resource and control identifiers, grouped by owner, in template order.

// Labels, frames and pictures that nothing refers to.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Icons: the program's own icon, and the tray's pictures in two sets, one
// for light taskbars and one for dark ones: the idle picture and the two
// that alternate while the activity runs.
#define IDI_IDLE 128
#define IDI_ACTIVE_1 131
#define IDI_ACTIVE_2 132
#define IDI_IDLE_LIGHT 133
#define IDI_IDLE_DARK 134
#define IDI_ACTIVE_1_DARK 135
#define IDI_ACTIVE_2_DARK 136

// The instance lock's name string ("Quellor", so the lock is "Quellor Class")
// and the sockets text.
#define IDS_INSTANCE_NAME 128
#define IDS_SOCKETS_INIT_FAILED 103

// The tray menu and its commands.
#define IDR_TRAY_MENU 140
#define ID_SETUP 32778
#define ID_WIZARD 32784
#define ID_HISTORY 32796
#define ID_ACTIVITY_ON 32771
#define ID_ACTIVITY_OFF 32772
#define ID_APP_ABOUT 57664
#define ID_WEB_HOME 32782
#define ID_WEB_FAQ 32783
#define ID_WEB_LIBRARY 32781
#define ID_APP_EXIT 32774
// "Switch ON for": ON with a limit, as /on:MINUTES.
#define ID_ON_FOR_30_MINUTES 32791
#define ID_ON_FOR_1_HOUR 32792
#define ID_ON_FOR_2_HOURS 32793
#define ID_ON_FOR_4_HOURS 32794
#define ID_ON_FOR_8_HOURS 32795

// Set Up dialog.
#define IDD_SETUP 129
#define IDC_NO_STARTUP_DIALOG 1016
#define IDC_TABS 1027
#define IDC_MINUTES_LABEL 1039
#define IDC_PORT_LABEL 1045
#define IDC_PORT 1046
#define IDC_DOT_1 1042
#define IDC_DOT_2 1043
#define IDC_PROXY_LABEL 1052
#define IDC_PROXY_ADDRESS 1017
#define IDC_USE_PROXY 1044
#define IDC_HELP_LINE_1 1053
#define IDC_HELP_LINE_2 1054
#define IDC_FAQ 1055
#define IDC_SETUP_CANCEL 1056
#define IDC_APPLY 1057
#define IDC_PRODIGY 1058
#define IDC_PRODIGY_LABEL 1059
#define IDC_HOST_LIST 1060
#define IDC_HTTP 1061
#define IDC_FTP 1062
#define IDC_RANDOM 1064
#define IDC_SEQUENTIAL 1065
#define IDC_CHANGE_URL 1066
#define IDC_AOL_TITLE_LABEL 1070
#define IDC_AOL_TITLE 1069
#define IDC_AOL4 1071
#define IDC_AOL3 1068
#define IDC_AOL_HINT 1067
#define IDC_INTERVAL 1034
#define IDC_INTERVAL_LABEL 1038
#define IDC_SCALE_5 1036
#define IDC_SCALE_1 1035
#define IDC_SCALE_10 1037
#define IDC_AUTONETSENSE 1077
#define IDC_MANAGED_NOTE 1150
// The "Switch ON" tab: the sources that switch the activity by themselves.
#define IDC_WHEN_CONNECTIONS_LABEL 1090
#define IDC_WHEN_CONNECTIONS 1091
#define IDC_KNOWN_CONNECTIONS_LABEL 1092
#define IDC_KNOWN_CONNECTIONS 1093
#define IDC_ADD_CONNECTION 1094
#define IDC_WHEN_PROGRAMS_LABEL 1095
#define IDC_WHEN_PROGRAMS 1096
#define IDC_BROWSE_PROGRAM 1097
#define IDC_HOT_KEY_LABEL 1098
#define IDC_HOT_KEY 1099
#define IDC_HOT_KEY_TAKEN 1100
// The "Schedule" tab: the days, Sunday to Saturday in a row, the two times
// and keeping the computer awake.
#define IDC_WHEN_DAYS_LABEL 1101
#define IDC_SUNDAY 1102
#define IDC_MONDAY 1103
#define IDC_TUESDAY 1104
#define IDC_WEDNESDAY 1105
#define IDC_THURSDAY 1106
#define IDC_FRIDAY 1107
#define IDC_SATURDAY 1108
#define IDC_WHEN_FROM_LABEL 1109
#define IDC_WHEN_FROM 1110
#define IDC_WHEN_TO_LABEL 1111
#define IDC_WHEN_TO 1112
#define IDC_SCHEDULE_NOTE 1113
#define IDC_KEEP_AWAKE 1114
#define IDC_REDIAL_LABEL 1115
#define IDC_REDIAL_ENTRIES 1116
#define IDC_REDIAL_NONE 1117
#define IDC_SHOW_BALLOONS 1118
// The "Schedule" tab, under keeping awake; the "Timer" tab, under the scale.
#define IDC_KEEP_AWAKE_ON_BATTERY 1119
#define IDC_ONLY_WHEN_QUIET 1120

// Change URL dialog.
#define IDD_CHANGE_URL 130
#define IDC_URL_TEXT 1014

// About box.
#define IDD_ABOUT 141

// Wizard: the picture, the six pages and their controls.
#define IDB_WIZARD 144
#define IDC_WIZ_PICTURE 1087
#define IDD_WIZARD_ISP 143
#define IDD_WIZARD_AUTONETSENSE 144
#define IDD_WIZARD_PROXY 145
#define IDD_WIZARD_TIMER 146
#define IDD_WIZARD_PROTOCOL 147
#define IDD_WIZARD_URL_ORDER 148
#define IDC_WIZARD_BACK 1071
#define IDC_WIZ_AOL3 1072
#define IDC_WIZ_AOL4 1075
#define IDC_WIZ_PRODIGY 1073
#define IDC_WIZ_MSN 1074
#define IDC_WIZ_OTHER 1076
#define IDC_WIZ_AUTONETSENSE 1077
#define IDC_WIZ_MANUAL 1078
#define IDC_WIZ_NO_PROXY 1080
#define IDC_WIZ_USE_PROXY 1079
#define IDC_WIZ_PROXY_ADDRESS 1014
#define IDC_WIZ_PORT 1081
#define IDC_WIZ_SLIDER 1013
#define IDC_WIZ_HTTP 1082
#define IDC_WIZ_FTP 1083
#define IDC_WIZ_RANDOM 1085
#define IDC_WIZ_SEQUENTIAL 1086
