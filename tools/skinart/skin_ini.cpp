// The INI text of Kestrone's skin: how each bitmap is cut and used.
#include "style.h"

namespace kestrone::skinart {

std::string DefaultSkinIni() {
    return R"(; Kestrone skin. Frames of each bitmap, in order, are listed with its section.

[TitlebarSkin]
SkinName=Kestrone

[Personality]
; Window borders: frame 1 active, frame 2 inactive.
Top=top.bmp
TopFrame=2
TopStretch=1
TopTrans=0
Left=left.bmp
LeftFrame=2
LeftTopHeight=27
LeftBotHeight=5
LeftStretch=1
LeftTrans=0
Right=right.bmp
RightFrame=2
RightTopHeight=27
RightBotHeight=5
RightStretch=1
RightTrans=0
Bottom=bottom.bmp
BottomFrame=2
BottomStretch=1
BottomTrans=0
; Caption: after the window icon, centred in the strip.
TextShift=30
TextShiftVert=0
TextRightClip=100
TextAlignment=0
Textbackground=0
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=244
InActiveTextG=246
InActiveTextB=248
; Menu bar strip: active, inactive.
menuBar=menubar.bmp
TileMenu=1
TileLeftMenu=1
TileRightMenu=1

[Fonts]
FontHeight=14

[Colours]
WindowText=31 42 55
ButtonFace=243 245 248
Scrollbar=238 241 244
HilightText=255 255 255
Hilight=47 111 181
Menubar=243 245 248
Menu=255 255 255
MenuText=31 42 55
ButtonText=31 42 55
ButtonHilight=255 255 255
Buttonlight=250 251 252
ButtonShadow=160 169 181
ButtonDkShadow=110 120 133
MenuBarText=31 42 55
TitleTextActive=255 255 255
TitleTextNoActive=244 246 248

[ColourAccent]
color=47 111 181

[ColourWarning]
color=201 79 79

[Customcolors]
Color0=47 111 181
Color1=36 90 150
Color2=220 232 246
Color3=46 83 128
Color4=201 79 79
Color5=63 140 90
Color6=230 160 50
Color7=91 103 120
Color8=198 206 216
Color9=243 245 248

; Title-bar buttons: normal, hover, pressed, disabled, inactive, inactive hover.
[ButtonClose]
ButtonImage=close.bmp
Action=0
Align=1
Xcoord=36
Ycoord=3
frame=6
Visibility=0
Visibility1=0

[ButtonMaximize]
ButtonImage=maximize.bmp
Action=1
Align=1
Xcoord=66
Ycoord=3
frame=6
Visibility=6
Visibility1=0

[ButtonMinimize]
ButtonImage=minimize.bmp
Action=2
Align=1
Xcoord=96
Ycoord=3
frame=6
Visibility=6
Visibility1=0

; The window icon opens the system menu.
[ButtonSystemMenu]
Action=3
Align=0
Xcoord=9
Ycoord=5
Visibility=0

[MDICONTROLS]
Image=mdicontrols.bmp

; Push buttons: normal, pressed, disabled, hover, focused.
; Check boxes: unchecked, checked, mixed; each normal, hover, pressed, disabled.
; Radio buttons: unchecked, checked; each normal, hover, pressed, disabled.
[Buttons]
Bitmap=button.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=0
Tile=0
CheckButton=checkbox.bmp
RadioButton=radio.bmp
CheckButtonFrame=12
RadioButtonFrame=8
NormalColour2=31 42 55
MouseOverColour2=28 78 133
PressedColour2=22 64 109

; Progress: trough, bar.
[Progress]
Bitmap=progress.bmp
Style=0
LeftWidth=5
RightWidth=5
TopHeight=4
BottomHeight=4
Tile=0

[Progress.Chunk]
Image=progresschunk.bmp
Frame=1
LeftWidth=3
RightWidth=3
TopHeight=4
BottomHeight=4

; Group box card: enabled, disabled. The caption sits in the top band.
[GroupBoxEdge]
Image=groupboxedge.bmp
LeftWidth=6
RightWidth=6
TopHeight=21
BottomHeight=6
NormalColour2=31 42 55

[GroupBox]
Image=groupbox.bmp
LeftWidth=5
RightWidth=5
TopHeight=5
BottomHeight=5
BackgroundAlignment=0
BackgroundLeftShift=4
BackgroundRightShift=4

; Tabs: normal, selected, hover, disabled, selected hover.
[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
Style=0
LeftWidth=6
RightWidth=6
TopHeight=7
BottomHeight=3
NormalColour2=91 103 120
MouseOverColour2=31 42 55

[Tab.Pane]
Image=tabborder.bmp
LeftWidth=4
TopHeight=4
RightWidth=4
BottomHeight=4

; Status bar: bar, panel, size grip.
[StatusBarEdges]
Image=statusbar.bmp
LeftWidth=3
RightWidth=4
TopHeight=3
BottomHeight=3

; Tool buttons: normal, hover, pressed, disabled, checked.
[ToolBars]
Image=toolbar.bmp
LeftWidth=5
RightWidth=5
TopHeight=5
BottomHeight=5

; Combo button: normal, hover, pressed, disabled.
[ComboButton]
Image=Combo-Arrows.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3

; Edit field: normal, hover, focused, disabled.
[SunkEdge]
Image=sunkedge.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4

; Drop arrow: normal, hover, pressed, disabled; size grip.
[ExtraImages]
Image=extraimages.bmp
Trans=0

; Column header: normal, hover, pressed, sorted, disabled.
[Headerbar]
Image=headerbar.bmp
Frame=5
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3

; Menu item: normal, selected, disabled selected, bar item hover, bar item open.
[MenuItem]
Image=art\MenuItem.bmp
LeftWidth=5
RightWidth=5
TopHeight=5
BottomHeight=5

[MenuBackground]
Image=menubackground.bmp
LeftWidth=27
TopHeight=3
RightWidth=3
BottomHeight=3

; Scroll bar: arrows left, right, up, down (normal, pressed, disabled, hover),
; horizontal grip and vertical grip (normal, pressed, hover), corner.
[Scrollbar]
Image=scrollbar.bmp
Trans=1

; Tracks: normal, pressed, disabled, hover.
[HorzScroll]
Image=horzscroll.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2

[VertScroll]
Image=vertscroll.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2

; Thumbs: normal, pressed, hover.
[HorzScrollThumb]
Image=horzthumb.bmp
LeftWidth=7
RightWidth=7
TopHeight=4
BottomHeight=4
FrameCount=3

[VertScrollThumb]
Image=vertthumb.bmp
LeftWidth=4
RightWidth=4
TopHeight=7
BottomHeight=7
FrameCount=3

; Track-bar thumbs: normal, hover, pressed, disabled, focused.
[Trackbar.ThumbHorz]
Image=thumbhorz.bmp

[Trackbar.ThumbVert]
Image=thumbvert.bmp

[Trackbar.ThumbLeft]
Image=thumbleft.bmp

[Trackbar.ThumbRight]
Image=thumbright.bmp

[Trackbar.ThumbUp]
Image=thumbup.bmp

[Trackbar.ThumbDown]
Image=thumbdown.bmp

; Up-down: first button (up or left) normal, hover, pressed, disabled, then
; the second button (down or right); the glyphs in the same cells.
[UpDown.Horz]
Image=updownhorz.bmp
GlyphImage=updownhorzglyphs.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3

[UpDown.Vert]
Image=updownvert.bmp
GlyphImage=updownvertglyphs.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3

[Track]
Image=track.bmp
Frame=1
LeftWidth=4
RightWidth=4
TopHeight=3
BottomHeight=3

[TRACKVERT]
Image=trackvert.bmp
Frame=1
LeftWidth=3
RightWidth=3
TopHeight=4
BottomHeight=4
)";
}

SkinArt DrawDefaultSkin() {
    SkinArt art;
    DrawWindowArt(art);
    DrawMenuArt(art);
    DrawButtonArt(art);
    DrawPanelArt(art);
    DrawScrollArt(art);
    DrawRangeArt(art);
    art.ini = DefaultSkinIni();
    return art;
}

}  // namespace kestrone::skinart
