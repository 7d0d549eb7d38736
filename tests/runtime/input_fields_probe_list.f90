! input_fields_probe_list.f90: prints what a list-directed READ of gfortran gives.
!
! Not part of the build or the test run: it made the expected values of the list-directed
! tables in input_fields_test.cpp. Each line of lcases.txt is "types#record#record#...#":
! types is one letter per item (I integer, R four-byte real, D double precision, C
! character*12), and the records are written to a scratch file that one READ(unit, *) takes:
!     III#1,,3#
!     III#1,#2#3#
! Run: gfortran input_fields_probe_list.f90 -o probe && ./probe
! Items start as -777 and 'unset'; it prints the IOSTAT, its message and every item.
program probe_list
  implicit none
  character(len=2000) :: line
  character(len=10) :: types
  integer :: ios, rios, p, q, k, nt
  integer :: iv(8)
  real :: rv(8)
  double precision :: dv(8)
  character(len=12) :: cv(8)
  character(len=400) :: msg
  open(10, file='lcases.txt', status='old')
  do
    read(10, '(A)', iostat=ios) line
    if (ios /= 0) exit
    p = index(line, '#')
    types = line(1:p-1)
    nt = len_trim(types)
    open(11, status='scratch', form='formatted')
    q = p
    do
      k = index(line(q+1:), '#')
      if (k == 0) exit
      write(11, '(A)') line(q+1:q+k-1)
      q = q + k
    end do
    rewind(11)
    iv = -777; rv = -777.0; dv = -777.0d0; cv = 'unset'
    msg = ''
    select case (types(1:nt))
    case ('I');    read(11, *, iostat=rios, iomsg=msg) iv(1)
    case ('II');   read(11, *, iostat=rios, iomsg=msg) iv(1:2)
    case ('III');  read(11, *, iostat=rios, iomsg=msg) iv(1:3)
    case ('IIII'); read(11, *, iostat=rios, iomsg=msg) iv(1:4)
    case ('R');    read(11, *, iostat=rios, iomsg=msg) rv(1)
    case ('RR');   read(11, *, iostat=rios, iomsg=msg) rv(1:2)
    case ('RRR');  read(11, *, iostat=rios, iomsg=msg) rv(1:3)
    case ('D');    read(11, *, iostat=rios, iomsg=msg) dv(1)
    case ('DDD');  read(11, *, iostat=rios, iomsg=msg) dv(1:3)
    case ('C');    read(11, *, iostat=rios, iomsg=msg) cv(1)
    case ('CC');   read(11, *, iostat=rios, iomsg=msg) cv(1:2)
    case ('CCC');  read(11, *, iostat=rios, iomsg=msg) cv(1:3)
    case ('ICR');  read(11, *, iostat=rios, iomsg=msg) iv(1), cv(2), rv(3)
    case ('IRC');  read(11, *, iostat=rios, iomsg=msg) iv(1), rv(2), cv(3)
    case default;  print *, 'unknown item types: ', types(1:nt); stop
    end select
    close(11)
    write(*, '(A,A,I0,1X,A)') trim(line), '  -> ios=', rios, trim(msg)
    write(*, '(4X,A,8(1X,I0))') 'i:', iv(1:nt)
    write(*, '(4X,A,8(1X,ES15.8))') 'r:', rv(1:nt)
    write(*, '(4X,A,8(1X,ES25.17))') 'd:', dv(1:nt)
    write(*, '(4X,A,8(1X,A))') 'c:', ('['//trim(cv(k))//']', k = 1, nt)
  end do
end program probe_list
