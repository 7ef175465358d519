' A script client of Velnix's automation class: creates an object, walks its ConnectionList with
' For Each, sets and reads Login, and takes its UpdateState events through WScript.ConnectObject
' where the script host can connect them (Wine's cannot: it says so and goes on). Argument: the
' expected entry names, each followed by "|". Its last line says that every check held: a host
' may end a failed script with 0.
Option Explicit

Dim updates, lastName
updates = 0

Sub Velnix_UpdateState(sNom, lTemps, lOctetsRecus, lOctetsEnvoyes, lVitesseD, lVitesseU)
    updates = updates + 1
    lastName = sNom
End Sub

Sub Check(holds, what)
    If Not holds Then
        WScript.Echo "Echec : " & what
        WScript.Quit 1
    End If
End Sub

Dim tenaline, entry, names, waited, connected
Set tenaline = CreateObject("Velnix.InternetTenaline")

names = ""
For Each entry In tenaline.ConnectionList
    names = names & entry & "|"
Next
Check names = WScript.Arguments(0), "ConnectionList donne " & names

tenaline.Login = "jean.dupont@fai.fr"
Check tenaline.Login = "jean.dupont@fai.fr", "Login relu " & tenaline.Login

tenaline.Connection = "Fournisseur ADSL"
On Error Resume Next
WScript.ConnectObject tenaline, "Velnix_"
connected = (Err.Number = 0)
On Error GoTo 0
If connected Then
    waited = 0
    Do While updates = 0 And waited < 100
        WScript.Sleep 100
        waited = waited + 1
    Loop
    Check updates > 0, "aucun UpdateState en 10 s"
    Check lastName = "Fournisseur ADSL", "UpdateState pour " & lastName
    WScript.DisconnectObject tenaline
Else
    WScript.Echo "Evenements non recus : cet hote de scripts ne sait pas les connecter."
End If
WScript.Echo "Client de script : tout est conforme."
