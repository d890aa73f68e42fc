Two versions of the same army lists, for `ovra diff-lists`.

<TRCAT 512 Inf "Infantry">
<TRCAT 8192 Her "Hero">
<TRCAT 2 Mo "Mount">
<MICAT 1 "Weapon">
<MITEM nomi "No magic item" -1> 0 -1</MITEM>
<MITEM axe! "Axe of the Deep" 1> 30 8192<INFO>Strikes twice, and hard.</INFO></MITEM>
<MITEM pear "Pearl of \Storms" 1> 20 8192</MITEM>
<ENGINE noen "No siege engine" 0></ENGINE>
<ENGINE bara "Ram" 15></ENGINE>
<ENGINE mant "Mantlets" 10></ENGINE>

<NATION 3 "Sea Raiders" "Sea raider fleet">
<INFO>The descriptions are not compared.</INFO>
<TROOPS SKIP "Skipper" char 8192> 2 "" 0 0 9 1 90 1 -1 1</TROOPS>
<TROOPS REED "Reedspears" unit 512> 3 "" 3 5 0 3 6 2 5
<SRULE>SHLDTEST</SRULE></TROOPS>
<TROOPS SLNG "Slingers" unit 512> 2 "2" 3 0 0 3 30 1 2</TROOPS>
<TROOPS OARS "Rowers" unSk 512> 3 "" 3 5 0 3 40 -2 4<LIMIT>REEDBOWS</LIMIT><NOBREAK></TROOPS>
<TROOPS WHAL "Whale" moun 2> 4 "" 0 0 0 1 60 0 1<LIMIT>SKIP</LIMIT></TROOPS>
<TROOPS nomo "No mount" moun 2> 0 "" 0 0 0 0 0 0 0<LIMIT>SKIP</LIMIT></TROOPS>
</NATION>

<NATION 7 "Hill Tribes" "Clan muster">
<TROOPS CHIE "Chief" char 8192> 2 "" 0 0 9 1 80 1 -1</TROOPS>
</NATION>

<NATION 9 "Salt Traders" "Caravan guard">
<TROOPS MERC "Merchant" char 8192> 1 "" 0 0 7 1 50 1 -1</TROOPS>
</NATION>
