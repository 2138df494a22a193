#!/usr/bin/env bash
# Makes the binary pieces of the demo kit: the task-1 audio of each variant (espeak-ng,
# English voice, 16 kHz mono Ogg Vorbis) and the task-3 photos (ImageMagick drawings),
# then writes the RTF sheets from them (make-sheets.py). Every step is deterministic
# (fixed Ogg serial numbers, no time stamps in pictures), so running it again gives the
# same files. Needs espeak-ng, sox, vorbis-tools, imagemagick and python3; building the
# kit itself (build.sh) needs none of them, the results are committed.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
assets="$here/assets"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$assets"

for tool in espeak-ng sox oggenc convert python3; do
    command -v "$tool" >/dev/null || { echo "make-assets.sh: $tool is missing" >&2; exit 1; }
done

# speak NAME SERIAL TEXT: SSML text -> assets/NAME.ogg
speak() {
    local name="$1" serial="$2" text="$3"
    espeak-ng -v en-gb -s 135 -m -w "$work/$name.wav" "$text"
    sox -D "$work/$name.wav" -r 16000 -c 1 "$work/$name-16k.wav" # no dither: same bytes every run
    oggenc -Q -q -1 --serial "$serial" -o "$assets/$name.ogg" "$work/$name-16k.wav"
}

# prep NAME SERIAL KIND: the short instruction played during the preparation of task 1
prep() {
    speak "$1" "$2" "Task one. You are going to listen to $3. You will hear it twice.
<break time=\"1s\"/> While you are listening, complete the five statements on your screen.
In each box, choose the one option of three that matches what you hear.
<break time=\"1s\"/> When the recording ends, you have a few seconds to check your answers.
<break time=\"1s\"/> Get ready to listen."
}

# listening NAME SERIAL KIND TEXT: the task-1 text, read twice
listening() {
    speak "$1" "$2" "Task one. Now listen to $3. <break time=\"3s\"/> $4
<break time=\"4s\"/> Now listen again. <break time=\"2s\"/> $4
<break time=\"4s\"/> This is the end of the recording. Check your answers."
}

prep v0-t1AudPrep 1001 "an announcement at school"
listening v0-t1Aud 1002 "the announcement" "Hello everyone, this is your head teacher speaking.
Next Saturday our class is going on a trip to the Science Museum in the city centre.
We will meet in front of the school at half past eight, and the bus leaves at a quarter to nine,
so please do not be late. The trip costs twelve pounds, and that includes the bus and the museum ticket.
Bring some sandwiches and a bottle of water, because the museum cafe is closed for repairs.
In the museum we will visit the space gallery first, and after lunch you can choose a workshop about robots.
We will be back at school at about four o'clock. If you have any questions, please ask Mrs Green,
our science teacher. Thank you."

prep v1-t1AudPrep 1011 "a radio advertisement"
listening v1-t1Aud 1012 "the advertisement" "Are you between twelve and sixteen years old?
Do you want to spend an exciting summer? Then come to Green Lake Camp!
This year the camp opens on the first of July, and the first session lasts two weeks.
You will live in wooden houses near the lake, four people in each room.
Every morning there are lessons in swimming, sailing and rock climbing.
In the evenings we have films and music, and on Fridays there is a big campfire.
The price for two weeks is three hundred and fifty pounds.
Don't forget to bring a warm jacket, because the nights at the lake can be cold.
Green Lake Camp: the summer you will never forget!"

prep v2-t1AudPrep 1021 "a telephone message"
listening v2-t1Aud 1022 "the message" "Hi Sam, it's Kate. I'm calling about my birthday party on Sunday.
I know I said it would be at my house, but my parents have booked a table at the Italian restaurant
on Bridge Street instead. It starts at six o'clock, not at five.
My cousin Mike is coming too, and he's bringing his guitar, so we're going to sing a lot!
Please don't buy me a present. If you really want to bring something, I'd love a good book about travelling.
Oh, and my dad will drive everyone home by car after the party, at about nine.
Call me back if you can't come. Bye!"

# Photos: 320 x 213 flat drawings; JPEG for the first two of each variant, PNG for the third,
# as a word processor would keep a pasted picture of either kind.
jpeg() { convert "$@" -strip -quality 70 -sampling-factor 2x2 "jpeg:$work/out.jpg" && mv "$work/out.jpg" "$target"; }
png() {
    convert "$@" -strip +dither -colors 32 -define png:exclude-chunks=date,time +set date:create +set date:modify \
        "png8:$work/out.png" && mv "$work/out.png" "$target"
}
size=(-size 320x213)

# Variant 0: a beach, a park in winter, a city street at night.
target="$assets/v0-photo1.jpg" jpeg "${size[@]}" gradient:'#6fb7f0-#d8f0ff' \
    -fill '#2f7fc0' -draw 'polygon 0,110 320,95 320,150 0,160' \
    -fill '#f0d890' -draw 'polygon 0,160 320,150 320,213 0,213' \
    -fill '#ffd820' -draw 'circle 260,40 260,62' \
    -fill '#c03030' -draw 'polygon 80,120 150,120 115,100' -fill '#604020' -draw 'rectangle 113,120 117,185' \
    -fill '#e06020' -draw 'ellipse 200,185 22,8 0,360'
target="$assets/v0-photo2.jpg" jpeg "${size[@]}" gradient:'#c8d0dc-#eef2f6' \
    -fill white -draw 'rectangle 0,140 320,213' \
    -fill '#5a3a1a' -draw 'rectangle 55,120 65,170' -draw 'rectangle 155,110 167,165' -draw 'rectangle 255,125 265,172' \
    -fill '#1f5f3a' -draw 'polygon 20,125 100,125 60,40' -draw 'polygon 120,115 202,115 161,25' \
    -draw 'polygon 222,130 298,130 260,50' \
    -fill white -draw 'polygon 45,70 75,70 60,40' -draw 'polygon 145,55 177,55 161,25' -draw 'polygon 245,80 275,80 260,50' \
    -fill '#d02020' -draw 'circle 110,180 110,188'
target="$assets/v0-photo3.png" png "${size[@]}" xc:'#101838' \
    -fill '#f4f0c0' -draw 'circle 270,35 270,50' \
    -fill '#505868' -draw 'rectangle 10,70 80,213' -draw 'rectangle 95,40 170,213' -draw 'rectangle 185,90 250,213' \
    -draw 'rectangle 262,60 315,213' \
    -fill '#ffe060' -draw 'rectangle 25,90 35,102' -draw 'rectangle 55,120 65,132' -draw 'rectangle 110,60 122,72' \
    -draw 'rectangle 140,100 152,112' -draw 'rectangle 200,110 210,122' -draw 'rectangle 275,80 285,92' \
    -draw 'rectangle 295,140 305,152' -draw 'rectangle 110,150 122,162' \
    -fill '#303030' -draw 'rectangle 0,195 320,213'

# Variant 1: a classroom, a kitchen, a football match.
target="$assets/v1-photo1.jpg" jpeg "${size[@]}" xc:'#efe4c8' \
    -fill '#2e5a3a' -draw 'rectangle 60,25 260,110' \
    -fill white -pointsize 22 -draw "text 90,75 '2 + 2 = 4'" \
    -fill '#8a5a2a' -draw 'rectangle 30,150 130,165' -draw 'rectangle 190,150 290,165' \
    -draw 'rectangle 40,165 48,205' -draw 'rectangle 112,165 120,205' -draw 'rectangle 200,165 208,205' \
    -draw 'rectangle 272,165 280,205'
target="$assets/v1-photo2.jpg" jpeg "${size[@]}" xc:'#f6f6f0' \
    -fill '#a8d0e8' -draw 'rectangle 200,20 290,100' -stroke white -strokewidth 4 -draw 'line 245,20 245,100' \
    -stroke none -fill '#b07040' -draw 'rectangle 40,140 280,152' -draw 'rectangle 60,152 70,210' \
    -draw 'rectangle 250,152 260,210' \
    -fill '#c02828' -draw 'rectangle 90,110 140,140' -fill '#303030' -draw 'rectangle 85,106 145,112' \
    -fill '#f0a020' -draw 'circle 200,128 200,140' -fill '#40a040' -draw 'circle 225,132 225,140'
target="$assets/v1-photo3.png" png "${size[@]}" gradient:'#80c8f8-#c8e8ff' \
    -fill '#3a9a3a' -draw 'rectangle 0,90 320,213' \
    -stroke white -strokewidth 3 -fill none -draw 'line 160,90 160,213' -draw 'circle 160,160 160,190' \
    -draw 'rectangle 0,120 40,190' -draw 'rectangle 280,120 320,190' \
    -stroke '#e8e8e8' -strokewidth 4 -draw 'line 290,100 290,150' -draw 'line 310,95 310,145' \
    -draw 'line 290,100 310,95' \
    -stroke black -strokewidth 1 -fill white -draw 'circle 120,170 120,178'

# Variant 2: mountains, a garden, a river with a boat.
target="$assets/v2-photo1.jpg" jpeg "${size[@]}" gradient:'#5aa0e0-#e0f0ff' \
    -fill '#7a7a88' -draw 'polygon 0,170 90,40 180,170' -draw 'polygon 120,170 230,30 320,170' \
    -fill white -draw 'polygon 70,70 90,40 110,70' -draw 'polygon 205,62 230,30 255,62' \
    -fill '#4a9a40' -draw 'rectangle 0,165 320,213'
target="$assets/v2-photo2.jpg" jpeg "${size[@]}" gradient:'#90d0ff-#e8f8ff' \
    -fill '#58b048' -draw 'rectangle 0,120 320,213' \
    -fill '#c8a070' -draw 'rectangle 0,100 320,108' -draw 'rectangle 20,95 28,125' -draw 'rectangle 100,95 108,125' \
    -draw 'rectangle 180,95 188,125' -draw 'rectangle 260,95 268,125' \
    -fill '#e02050' -draw 'circle 50,160 50,170' -draw 'circle 170,175 170,185' \
    -fill '#f0d020' -draw 'circle 110,150 110,160' -draw 'circle 240,165 240,175' \
    -fill '#8040d0' -draw 'circle 290,185 290,194'
target="$assets/v2-photo3.png" png "${size[@]}" gradient:'#70b8f0-#e0f4ff' \
    -fill '#4a9a40' -draw 'rectangle 0,100 320,213' \
    -fill '#2a70c0' -draw 'polygon 0,130 320,115 320,175 0,190' \
    -fill '#8a5020' -draw 'polygon 120,150 200,150 190,165 130,165' \
    -fill '#604020' -draw 'rectangle 158,95 161,150' \
    -fill white -draw 'polygon 162,98 162,145 195,145'

python3 "$here/make-sheets.py"
ls -l "$assets"
