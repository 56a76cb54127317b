// Resource identifiers of the pictures SetButtonGrp draws on a bitmap button:
// type t (1 to 20) is icon IDI_BUTTON_ICON_BASE + t in the runtime and in the
// editor, which both run scripts. Plain defines: the resource compiler reads
// this too.
#ifndef KAV3_CONTROLS_BUTTON_ICONS_H
#define KAV3_CONTROLS_BUTTON_ICONS_H

#define IDI_BUTTON_ICON_BASE 1000
#define BUTTON_ICON_COUNT 20

#endif
