' A script client of Velnix's automation class: creates an object, walks its ConnectionList with
' For Each, sets and reads Login, and takes its UpdateState events through WScript.ConnectObject.
' Argument: the expected entry names, each followed by "|". Ends with 0 when every check holds;
' otherwise says which failed and ends with 1.
Option Explicit

Dim updates, lastName
updates = 0

Sub Velnix_UpdateState(sNom, lTemps, lOctetsRecus, lOctetsEnvoyes, lVitesseD, lVitesseU)
    updates = updates + 1
    lastName = sNom
End Sub

Sub Check(holds, what)
    If Not holds Then
        WScript.Echo "Échec : " & what
        WScript.Quit 1
    End If
End Sub

Dim tenaline, entry, names, waited
Set tenaline = CreateObject("Velnix.InternetTenaline")

names = ""
For Each entry In tenaline.ConnectionList
    names = names & entry & "|"
Next
Check names = WScript.Arguments(0), "ConnectionList donne « " & names & " »"

tenaline.Login = "jean.dupont@fai.fr"
Check tenaline.Login = "jean.dupont@fai.fr", "Login relu « " & tenaline.Login & " »"

tenaline.Connection = "Fournisseur ADSL"
WScript.ConnectObject tenaline, "Velnix_"
waited = 0
Do While updates = 0 And waited < 100
    WScript.Sleep 100
    waited = waited + 1
Loop
Check updates > 0, "aucun UpdateState en 10 s"
Check lastName = "Fournisseur ADSL", "UpdateState pour « " & lastName & " »"
WScript.DisconnectObject tenaline
WScript.Quit 0
