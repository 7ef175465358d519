#include "platform/linux/process/SystemErrorText.h"

#include <cerrno>

namespace velnix::linux_platform {

std::string SystemErrorText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "accès refusé";
        case ENOENT:
            return "fichier introuvable";
        case ENOTDIR:
            return "un élément du chemin n'est pas un dossier";
        case ENOEXEC:
            return "format d'exécutable non reconnu";
        case ETXTBSY:
            return "fichier en cours d'écriture";
        case E2BIG:
            return "liste d'arguments trop longue";
        case ENOMEM:
            return "mémoire insuffisante";
        case EAGAIN:
            return "trop de processus";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers ouverts";
        case ESRCH:
            return "processus introuvable";
        case EEXIST:
            return "le fichier existe déjà";
        case EISDIR:
            return "c'est un dossier";
        case EROFS:
            return "système de fichiers en lecture seule";
        case ENOSPC:
            return "plus de place sur le disque";
        case EDQUOT:
            return "quota de disque dépassé";
        case EIO:
            return "erreur d'entrée-sortie";
        case ELOOP:
            return "trop de liens symboliques";
        case ENAMETOOLONG:
            return "nom de fichier trop long";
        default:
            return "erreur système " + std::to_string(error);
    }
}

}  // namespace velnix::linux_platform
