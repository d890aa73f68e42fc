<!-- Sea Raiders: an example army list for Ovra. Text outside the records,
     such as this comment, is ignored as long as it holds no opening angle bracket. -->

<NATION 4096 "Sea Raiders" "Sea Raider army">
<INFO>Raiders from the northern coasts who land from their longships, strike and are gone before an army can gather.

Field a warlord, a champion or two and as many warbands as the points allow.</INFO>

<TROOPS WARL "Warlord" char 16384> 2 "" 0 0 8 1 90 1 -1
</TROOPS>
<TROOPS CHMP "Champion" char 8192> 1 "" 0 0 7 1 60 0 2 1
<INFO>A famous fighter who leads a warband from the front.</INFO>
</TROOPS>
<TROOPS BAND "Warband" unit 512> 3 "" 3 0 0 3 50 2 0
<SRULE>BRSK</SRULE>
</TROOPS>
<TROOPS ARCH "Archers" unit 512> 1 "1" 3 0 0 3 45 0 4
<SRULE>RG15</SRULE>
</TROOPS>
<TROOPS CREW "Longship crew" unSk 512> 2 "" 3 4 0 3 55 0 2
<UINFO>Crews fight in a shield wall along the shore.</UINFO>
</TROOPS>
<TROOPS emsk "Shore runners" spec 512> 1 "1" 3 0 0 3 20 0 0
<SRULE>SKIR</SRULE>
</TROOPS>
<TROOPS HRSE "Horse" moun 2> 1 "" 0 0 0 1 15 0 -1
<INFO>A horse for the warlord or a champion.</INFO>
<LIMIT>WARLCHMP</LIMIT>
</TROOPS>
<TROOPS nomo "No mount" moun 1> 0 "" 0 0 0 0 0 0 0
<LIMIT>WARLCHMP</LIMIT>
</TROOPS>
</NATION>

<MITEM sfax "Sea-axe" 1> 15 8192
<INFO>The axe of a sea king: +1 attack for the champion who carries it.</INFO>
</MITEM>

<SPECIAL BRSK "Berserk" 0>
<INFO>Berserk: +1 attack in the turn the unit charges; it may never retreat.</INFO>
</SPECIAL>
