#include "files/system_errors.h"

#include <cerrno>

namespace stowbel {

std::string SystemErrorText(int error, FileAccess access) {
    switch (error) {
        case ENOSPC:
            return "нет места на диске";
        case EDQUOT:
            return "превышена дисковая квота";
        case EACCES:
        case EPERM:
            return "нет доступа";
        case EROFS:
            return "диск доступен только для чтения";
        case ENOENT:
            return access == FileAccess::Read ? "файл не найден" : "папка не найдена";
        case ENOTDIR:
            return "часть пути не является папкой";
        case EISDIR:
            return "это папка, а не файл";
        case EEXIST:
            return "такое имя уже занято";
        case ENOTEMPTY:
            return "папка не пуста";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        case ELOOP:
            return "слишком много символических ссылок в пути";
        case EXDEV:
            return "перенос между разными дисками невозможен";
        case EIO:
            return "ошибка ввода-вывода (диск неисправен или отключён)";
        case EFBIG:
            return "файл слишком велик";
        case EMFILE:
        case ENFILE:
            return "открыто слишком много файлов";
        case ENOMEM:
            return "не хватает памяти";
        case EBUSY:
        case ETXTBSY:
            return "файл занят";
        case EAGAIN:
            return "ресурс временно недоступен";
        case ENXIO:
        case ENODEV:
            return "устройство недоступно";
        case EINVAL:
            return "недопустимое имя или действие";
        case EMLINK:
            return "слишком много записей в папке";
        case ESTALE:
            return "сетевой диск недоступен";
        case 0:
            return "неизвестная ошибка";
        default:
            return "системная ошибка " + std::to_string(error);
    }
}

std::string SystemErrorText(const std::error_code& error, FileAccess access) {
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        return SystemErrorText(error.value(), access);
    }
    return "системная ошибка " + std::to_string(error.value());
}

}  // namespace stowbel
