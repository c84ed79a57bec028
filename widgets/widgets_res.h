/* Resource ids of the widgets' images (widgets.rc). Read by the resource compiler too. */
#ifndef WIDGETS_WIDGETS_RES_H
#define WIDGETS_WIDGETS_RES_H

/* The program icon: the lowest icon id, so the shell shows it for statwell.exe. */
#define IDI_STATWELL 100

/* Tray images from idle (0) to full load (12): IDI_TRAYLOAD0 + index. */
#define IDI_TRAYLOAD0 110
#define IDI_TRAYLOAD1 111
#define IDI_TRAYLOAD2 112
#define IDI_TRAYLOAD3 113
#define IDI_TRAYLOAD4 114
#define IDI_TRAYLOAD5 115
#define IDI_TRAYLOAD6 116
#define IDI_TRAYLOAD7 117
#define IDI_TRAYLOAD8 118
#define IDI_TRAYLOAD9 119
#define IDI_TRAYLOAD10 120
#define IDI_TRAYLOAD11 121
#define IDI_TRAYLOAD12 122
#define TRAY_IMAGE_COUNT 13

/* The LCD digit strips are bitmaps named NUM13x24, NUM11x20, NUM7x13, NUM12x17, NUM5x7. */

#endif
