// Resource numbers of the program's own images.
#pragma once

// Sort arrows of the report lists' headers, 9 by 5, black on white.
#define IDB_SORT_DESCENDING 133
#define IDB_SORT_ASCENDING 134

// The image buttons' PNGs (resource type "PNG").
#define IDP_ADD 150
#define IDP_DELETE_ALL 151
#define IDP_DELETE_SELECTED 152
#define IDP_FIND_COMPUTERS 165
#define IDP_COMPUTER_LIST 166
#define IDP_SWIVO 167
#define IDP_WAKE_UP 168
#define IDP_HIDE_SERVICES 169
#define IDP_SHOW_SERVICES 170
#define IDP_CLEAR_WAKE_UP 175
#define IDP_CONNECT 176
#define IDP_APPLY 179
#define IDP_REFRESH 180
#define IDP_TRAFFIC 183
#define IDP_ROUTES 184
