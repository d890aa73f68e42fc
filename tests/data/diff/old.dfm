Two versions of the same army lists, for `ovra diff-lists`.

<TRCAT 512 Inf "Infantry">
<TRCAT 8192 Her "Hero">
<TRCAT 2 Mo "Mount">
<MICAT 1 "Weapon">
<MITEM nomi "No magic item" -1> 0 -1</MITEM>
<MITEM axe! "Axe of the Deep" 1> 25 8192<INFO>Strikes twice.</INFO></MITEM>
<MITEM horn "Horn of the Tide" 1> 15 -1</MITEM>
<ENGINE noen "No siege engine" 0></ENGINE>
<ENGINE bara "Battering Ram" 10></ENGINE>

<NATION 3 "Sea Raiders" "Sea raider host">
<INFO>They come with the tide.</INFO>
<TROOPS SKIP "Skipper" char 8192> 2 "" 0 0 9 1 90 1 -1 1</TROOPS>
<TROOPS REED "Reedspears" unit 512> 3 "" 3 5 0 3 5 2 0
<SRULE>SHLD</SRULE></TROOPS>
<TROOPS BOWS "Bowmen" unit 512> 2 "1" 3 0 0 3 55 0 4</TROOPS>
<TROOPS OARS "Oarsmen" unit 512> 3 "" 3 6 0 3 40 -2 4<LIMIT>REED</LIMIT></TROOPS>
<TROOPS WHAL "Whale" moun 2> 4 "" 0 0 0 1 60 0 1<LIMIT>SKIP</LIMIT></TROOPS>
<TROOPS nomo "No mount" moun 2> 0 "" 0 0 0 0 0 0 0<LIMIT>SKIP</LIMIT></TROOPS>
</NATION>

<NATION 5 "Marsh Folk" "Army of the marshes">
<TROOPS ELDR "Elder" char 8192> 1 "" 0 0 8 1 60 1 -1</TROOPS>
<TROOPS WADE "Waders" unit 512> 2 "" 3 0 0 3 35 3 0</TROOPS>
</NATION>

<NATION 7 "Hill Clans" "Clan muster">
<TROOPS CHIE "Chief" char 8192> 2 "" 0 0 9 1 80 1 -1</TROOPS>
</NATION>
