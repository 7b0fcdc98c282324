# Sourced by the real-window tests on a 1920 x 1080 virtual display, where the 640 x 480
# screen is scaled x2 at (160, 30) of the 960 x 540 display: screen points to monitor
# points, clicks, shots and colours. ref_pixel reads "$out/reference.png", the headless
# driver's shot of the same screen.
mx() { echo $(( (160 + $1) * 2 + 1 )); }
my() { echo $(( (30 + $1) * 2 + 1 )); }
click() { xdotool mousemove "$(mx "$1")" "$(my "$2")" click 1; }
shot() { import -window root "$1" 2>/dev/null; }
pixel() {  # the colour at screen point (x, y) of a monitor shot
    convert "$1" -format "%[fx:int(255*u.p{$(mx "$2"),$(my "$3")}.r)],%[fx:int(255*u.p{$(mx "$2"),$(my "$3")}.g)],%[fx:int(255*u.p{$(mx "$2"),$(my "$3")}.b)]" info:
}
ref_pixel() {  # the colour at (x, y) of the headless reference
    convert "$out/reference.png" -format "%[fx:int(255*u.p{$1,$2}.r)],%[fx:int(255*u.p{$1,$2}.g)],%[fx:int(255*u.p{$1,$2}.b)]" info:
}
