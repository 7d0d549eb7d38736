! input_fields_probe_fields.f90: prints what gfortran reads from Iw and Fw.d fields with BN.
!
! Not part of the build or the test run: it made the expected values of the field tables in
! input_fields_test.cpp. Each line of cases.txt is "Kd|text|": K is I (integer), F (four-byte
! real) or D (double precision), d the digit count of Fw.d, text the field (w is its length):
!     I0|1 2   |
!     F2|123|
! Run: gfortran input_fields_probe_fields.f90 -o probe && ./probe
! It prints the IOSTAT (0: the field reads) and the value, reals with their bits in hex.
program probe_fields
  implicit none
  character(len=200000) :: line
  character(len=:), allocatable :: field
  character(len=40) :: fmt
  integer :: ios, rios, n, d, ival
  real :: r
  double precision :: x
  open(10, file='cases.txt', status='old')
  do
    read(10, '(A)', iostat=ios) line
    if (ios /= 0) exit
    read(line(2:2), '(I1)') d
    n = index(line, '|', back=.true.)
    field = line(4:n-1)
    ival = -777; r = -777.0; x = -777.0d0
    select case (line(1:1))
    case ('I')
      write(fmt, '(A,I0,A)') '(BN,I', len(field), ')'
      read(field, fmt, iostat=rios) ival
      write(*, '(A,A,A,I0,A,I0)') 'I |', field(1:min(len(field),40)), '| ios=', rios, ' v=', ival
    case ('F')
      write(fmt, '(A,I0,A,I0,A)') '(BN,F', len(field), '.', d, ')'
      read(field, fmt, iostat=rios) r
      write(*, '(A,I0,A,A,A,I0,A,ES16.8E3,A,Z8.8)') 'F', d, ' |', field(1:min(len(field),40)), &
        '| ios=', rios, ' v=', r, ' z=', r
    case ('D')
      write(fmt, '(A,I0,A,I0,A)') '(BN,F', len(field), '.', d, ')'
      read(field, fmt, iostat=rios) x
      write(*, '(A,I0,A,A,A,I0,A,ES25.17E3,A,Z16.16)') 'D', d, ' |', field(1:min(len(field),40)), &
        '| ios=', rios, ' v=', x, ' z=', x
    end select
  end do
end program probe_fields
